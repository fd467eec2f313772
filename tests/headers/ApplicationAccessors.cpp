// The application header's accessors, used with that header alone.
#include "Ovra3D/Application.hpp"

bool accessorsCompileAlone() {
    const bool escape = GETINPUT().isKeyUp(ovra::Input::k_ESCAPE);
    const bool wide = GETCONTAINER().getWidth() > GETCONTAINER().getHeight();
    const bool looking = GETCAMERA() != nullptr && GETCAMERA()->getView()[3][3] == 1.0f;
    return escape || wide || looking;
}
