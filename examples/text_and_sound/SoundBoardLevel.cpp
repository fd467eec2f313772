#include "SoundBoardLevel.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/Camera.hpp>
#include <Ovra3D/Input.hpp>
#include <Ovra3D/ObjectManager.hpp>
#include <Ovra3D/widgets/Font.hpp>

#include <memory>

namespace {

const int kWidth = 320;  // the design width: texts are centred on it

}  // namespace

SoundBoardLevel::SoundBoardLevel(const std::string& dataFolder, ovra::Audio& audio)
    : dataFolder_(dataFolder), audio_(audio) {}

void SoundBoardLevel::initialize() {
    if (!ovra::ObjectManager::createDefaultShaders()) {
        return;
    }
    // Nothing is drawn in 3D, but every level has a camera.
    auto* cameraEntity = new ovra::Entity("Camera");
    rootEntity_.attach(*cameraEntity);
    camera_ = static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA));

    auto title = std::make_shared<const ovra::Font>("DejaVu Sans:bold", 32);
    auto body = std::make_shared<const ovra::Font>("DejaVu Sans", 18);
    if (!title->isOpen() || !body->isOpen()) {
        return;  // the font has written why
    }
    addText("Ovra says hello", ovra::Color(1.0f, 0.8f, 0.2f), 60)->setFont(title);
    addText("Space plays a chime, M mutes", ovra::Color(0.9f, 0.9f, 0.9f), 120)->setFont(body);
    state_ = addText("", ovra::Color(0.4f, 0.9f, 1.0f), 170);
    state_->setFont(body);

    ovra::ObjectManager::setRessourcesPath(dataFolder_);
    chime_ = audio_.loadSound("chime.wav");  // null without a device: then it stays silent
    showState();
    ready_ = true;
}

void SoundBoardLevel::update() {
    ovra::Input& input = GETINPUT();
    if (input.isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
    if (ready_) {
        if (input.isKeyUp(ovra::Input::k_M)) {
            audio_.setMuted(!audio_.isMuted());
        }
        if (input.isKeyUp(ovra::Input::k_SPACE) && !audio_.isMuted()) {
            if (chime_ != nullptr) {
                chime_->play();
            }
            ++plays_;
        }
        showState();  // costs nothing while the text stays the same
    }
    ovra::Level::update();
}

ovra::Text2D* SoundBoardLevel::addText(const std::string& text, const ovra::Color& color, int y) {
    auto* line = new ovra::Text2D("Text", ovra::ObjectManager::getShader(ovra::ObjectManager::OVERLAY_SHADER));
    line->setColor(color);
    line->setText(text);
    line->setPosition(kWidth / 2, y);  // the centre, in design pixels from the top left
    rootEntity2D_.attach(*line);
    return line;
}

void SoundBoardLevel::showState() {
    std::string text = "Played " + std::to_string(plays_) + (plays_ == 1 ? " time" : " times");
    if (audio_.isMuted()) {
        text += ", muted";
    }
    state_->setText(text);
}
