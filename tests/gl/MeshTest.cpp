#include "GpuTestSupport.hpp"

#include "Ovra3D/widgets/meshes/LineMesh.hpp"

using gputest::expectFloats;
using gputest::readBuffer;
using ovra::LineMesh;
using ovra::Material;
using ovra::Mesh;
using ovra::PlaneMesh;

namespace {

std::vector<float> readFloats(GLuint buffer, size_t count) { return readBuffer<float>(GL_ARRAY_BUFFER, buffer, count); }

void expectUploadedWithoutCPUData(const Mesh::Sub& sub) {
    EXPECT_NE(sub.VAO_ID, 0u);
    EXPECT_NE(sub.indicesVBO_ID, 0u);
    EXPECT_NE(sub.verticesVBO_ID, 0u);
    EXPECT_NE(sub.textureCoordinatesVBO_ID, 0u);
    EXPECT_EQ(sub.data.vertices, nullptr);
    EXPECT_EQ(sub.data.textureCoordinates, nullptr);
    EXPECT_EQ(sub.data.indices, nullptr);
}

// The element buffer recorded in the vertex array, and whether attributes 0 and 1 are fed.
struct VertexArrayState {
    GLint elementBuffer = 0;
    GLint attrib0Enabled = 0;
    GLint attrib1Enabled = 0;
    GLint attrib0Size = 0;
    GLint attrib1Size = 0;
};

VertexArrayState vertexArrayState(GLuint vao) {
    VertexArrayState s;
    glBindVertexArray(vao);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING, &s.elementBuffer);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &s.attrib0Enabled);
    glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &s.attrib1Enabled);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_SIZE, &s.attrib0Size);
    glGetVertexAttribiv(1, GL_VERTEX_ATTRIB_ARRAY_SIZE, &s.attrib1Size);
    glBindVertexArray(0);
    return s;
}

// A sub-mesh sized for one segment: two vertices, two indices.
Mesh::Sub& segmentSub(Mesh& mesh) {
    Mesh::Sub& sub = mesh.createSubMesh();
    sub.numberVertices = 6;
    sub.numberTextureCoordinates = 4;
    sub.numberIndices = 2;
    return sub;
}

}  // namespace

TEST(PlaneMesh, UploadsTheUnitSquareAndItsTextureWindowThenDropsTheArrays) {
    PlaneMesh plane(0.0f, 0.0f, 4.0f, 4.0f);
    ASSERT_EQ(plane.getSubMeshes().size(), 1u);
    Mesh::Sub& sub = *plane.getSubMeshes().at(0);
    EXPECT_EQ(sub.numberIndices, 6u);
    expectUploadedWithoutCPUData(sub);

    expectFloats(readFloats(sub.verticesVBO_ID, 12),
                 {-0.5f, -0.5f, 0.0f, -0.5f, 0.5f, 0.0f, 0.5f, 0.5f, 0.0f, 0.5f, -0.5f, 0.0f});
    expectFloats(readFloats(sub.textureCoordinatesVBO_ID, 8), {0.0f, 4.0f, 0.0f, 0.0f, 4.0f, 0.0f, 4.0f, 4.0f});
    EXPECT_EQ(readBuffer<uint32_t>(GL_ELEMENT_ARRAY_BUFFER, sub.indicesVBO_ID, 6),
              (std::vector<uint32_t>{0, 1, 2, 2, 3, 0}));

    const VertexArrayState state = vertexArrayState(sub.VAO_ID);
    EXPECT_EQ(static_cast<GLuint>(state.elementBuffer), sub.indicesVBO_ID);
    EXPECT_TRUE(state.attrib0Enabled);
    EXPECT_TRUE(state.attrib1Enabled);
    EXPECT_EQ(state.attrib0Size, 3);
    EXPECT_EQ(state.attrib1Size, 2);
}

TEST(PlaneMesh, TextureWindowOriginAndExtentPlaceTheCorners) {
    PlaneMesh plane(0.25f, 0.5f, 0.5f, 0.25f);
    // Vertex 1 (top left) takes the window's origin; the bottom edge its far row.
    expectFloats(readFloats(plane.getSubMeshes().at(0)->textureCoordinatesVBO_ID, 8),
                 {0.25f, 0.75f, 0.25f, 0.5f, 0.75f, 0.5f, 0.75f, 0.75f});
}

TEST(LineMesh, UploadsAUnitSegmentOnZ) {
    LineMesh line;
    ASSERT_EQ(line.getSubMeshes().size(), 1u);
    Mesh::Sub& sub = *line.getSubMeshes().at(0);
    EXPECT_EQ(sub.numberIndices, 2u);
    expectUploadedWithoutCPUData(sub);
    expectFloats(readFloats(sub.verticesVBO_ID, 6), {0.0f, 0.0f, -0.5f, 0.0f, 0.0f, 0.5f});
    expectFloats(readFloats(sub.textureCoordinatesVBO_ID, 4), {0.0f, 0.0f, 1.0f, 1.0f});
    EXPECT_EQ(readBuffer<uint32_t>(GL_ELEMENT_ARRAY_BUFFER, sub.indicesVBO_ID, 2), (std::vector<uint32_t>{0, 1}));
}

TEST(MeshSub, InitializeDataAllocatesOnlyWhenEveryCountIsSet) {
    Mesh mesh;
    for (uint32_t zero : {0u, 1u, 2u}) {
        Mesh::Sub& sub = mesh.createSubMesh();
        sub.numberVertices = zero == 0 ? 0 : 3;
        sub.numberTextureCoordinates = zero == 1 ? 0 : 2;
        sub.numberIndices = zero == 2 ? 0 : 2;
        sub.initializeData();
        EXPECT_EQ(sub.data.vertices, nullptr) << "count " << zero << " is 0";
        EXPECT_EQ(sub.data.textureCoordinates, nullptr);
        EXPECT_EQ(sub.data.indices, nullptr);
    }
}

TEST(MeshSub, FewerThanTwoIndicesOrNoPositionsOrNoIndicesAreNeverUploaded) {
    Mesh mesh;
    Mesh::Sub& oneIndex = mesh.createSubMesh();
    oneIndex.numberVertices = 3;
    oneIndex.numberTextureCoordinates = 2;
    oneIndex.numberIndices = 1;
    oneIndex.initializeData();
    Mesh::Sub& noData = mesh.createSubMesh();
    noData.numberIndices = 3;
    Mesh::Sub& noIndices = segmentSub(mesh);
    noIndices.data.vertices = new float[6]();

    mesh.pushToGPU(true);
    for (Mesh::Sub* sub : {&oneIndex, &noData, &noIndices}) {
        EXPECT_EQ(sub->VAO_ID, 0u);
        EXPECT_EQ(sub->indicesVBO_ID, 0u);
        EXPECT_EQ(sub->verticesVBO_ID, 0u);
        EXPECT_EQ(sub->textureCoordinatesVBO_ID, 0u);
    }
    EXPECT_NE(oneIndex.data.vertices, nullptr) << "arrays stay when nothing was uploaded";
}

TEST(MeshSub, UploadingAgainWithTheArraysKeptReplacesTheGLObjects) {
    Mesh mesh;
    Mesh::Sub& sub = segmentSub(mesh);
    sub.initializeData();
    std::fill(sub.data.vertices, sub.data.vertices + 6, 1.0f);
    std::fill(sub.data.textureCoordinates, sub.data.textureCoordinates + 4, 0.0f);
    sub.data.indices[0] = 0;
    sub.data.indices[1] = 1;

    sub.pushToGPU(false);
    const GLuint firstObjects[] = {sub.VAO_ID, sub.indicesVBO_ID, sub.verticesVBO_ID, sub.textureCoordinatesVBO_ID};
    ASSERT_NE(sub.data.vertices, nullptr);
    std::fill(sub.data.vertices, sub.data.vertices + 6, 7.0f);
    sub.pushToGPU(false);

    ASSERT_NE(sub.data.vertices, nullptr) << "arrays kept";
    expectFloats(readFloats(sub.verticesVBO_ID, 6), std::vector<float>(6, 7.0f));
    const GLuint secondObjects[] = {sub.VAO_ID, sub.indicesVBO_ID, sub.verticesVBO_ID, sub.textureCoordinatesVBO_ID};
    for (int i = 0; i < 4; ++i) {
        EXPECT_NE(secondObjects[i], 0u);
        // Old names are either deleted or handed out again for the new objects.
        const bool reused = std::find(std::begin(secondObjects), std::end(secondObjects), firstObjects[i]) !=
                            std::end(secondObjects);
        const bool alive = i == 0 ? glIsVertexArray(firstObjects[i]) : glIsBuffer(firstObjects[i]);
        EXPECT_TRUE(reused || !alive) << "object " << i << " leaked";
    }
}

TEST(Mesh, DestructionDeletesTheGLObjectsOfEverySubMesh) {
    std::vector<GLuint> buffers;
    std::vector<GLuint> arrays;
    {
        PlaneMesh plane(0.0f, 0.0f, 1.0f, 1.0f);
        const Mesh::Sub& sub = *plane.getSubMeshes().at(0);
        buffers = {sub.indicesVBO_ID, sub.verticesVBO_ID, sub.textureCoordinatesVBO_ID};
        arrays = {sub.VAO_ID};
    }
    for (GLuint b : buffers) {
        EXPECT_EQ(glIsBuffer(b), GL_FALSE);
    }
    EXPECT_EQ(glIsVertexArray(arrays[0]), GL_FALSE);
}

TEST(Mesh, MaterialsAreSetAndLookedUpOnlyForExistingSubMeshes) {
    PlaneMesh plane(0.0f, 0.0f, 1.0f, 1.0f);
    EXPECT_FALSE(plane.hasMaterial(0)) << "a new sub-mesh has no material";

    Material loose;
    for (int outside : {-1, 1, 5}) {
        plane.setMaterial(&loose, outside);
        EXPECT_FALSE(plane.hasSubMesh(outside));
        EXPECT_FALSE(plane.hasMaterial(outside));
    }
    EXPECT_FALSE(plane.hasMaterial(0));

    const long id = ovra::ObjectManager::createMaterial();
    plane.setMaterialID(id, 0);
    ASSERT_TRUE(plane.hasMaterial(0));
    EXPECT_EQ(plane.getMaterialID(0), id);
    EXPECT_EQ(&plane.getMaterial(0), ovra::ObjectManager::getMaterial(id));

    plane.setMaterialID(id + 1000000, 0);
    EXPECT_FALSE(plane.hasMaterial(0)) << "an unknown id leaves the sub-mesh without material";
    delete ovra::ObjectManager::removeMaterial(id);
}

TEST(Mesh, MaterialOfASubMeshThatHasNoneIsAnErrorLineAndAStandIn) {
    PlaneMesh plane(0.0f, 0.0f, 1.0f, 1.0f);
    const long kept = ovra::ObjectManager::createMaterial();
    for (int index : {-1, 0, 1, 1000000}) {
        const std::string line = "ERROR: Ovra: Mesh: sub-mesh " + std::to_string(index) + " has no material";
        {
            CapturedStdout out;
            EXPECT_EQ(plane.getMaterialID(index), -1) << index;
            EXPECT_EQ(out.lines(), std::vector<std::string>{line});
        }
        CapturedStdout out;
        Material& standIn = plane.getMaterial(index);
        EXPECT_EQ(out.lines(), std::vector<std::string>{line});
        EXPECT_EQ(ovra::ObjectManager::getMaterial(standIn.getID()), nullptr) << "the stand-in is nobody's";
        standIn.getProperties().diffuseColor = ovra::Color(1.0f, 0.0f, 0.0f);
        EXPECT_FALSE(plane.hasMaterial(0)) << "settings made on the stand-in go nowhere";
    }
    plane.setMaterialID(kept, 0);
    EXPECT_EQ(plane.getMaterialID(0), kept) << "a real material is answered as before";
    delete ovra::ObjectManager::removeMaterial(kept);
}

TEST(MeshSub, InitializingTwiceReplacesTheArraysWithoutLeakingThem) {
    Mesh mesh;
    Mesh::Sub& sub = segmentSub(mesh);
    sub.initializeData();
    sub.numberIndices = 4;
    sub.initializeData();  // under the sanitizer build a leaked first array would be reported
    ASSERT_NE(sub.data.indices, nullptr);
    sub.data.indices[3] = 7;  // the new array has the new size
    sub.numberIndices = 0;
    sub.initializeData();
    EXPECT_EQ(sub.data.indices, nullptr) << "a zero count leaves no arrays";
}

// What the vertex array feeds at `location`: the buffer and the floats per vertex, or
// nothing (buffer 0) when that array is off.
struct AttributeFeed {
    GLint buffer = 0;
    GLint size = 0;
};

AttributeFeed attributeFeed(GLuint vao, GLuint location) {
    AttributeFeed feed;
    GLint enabled = 0;
    glBindVertexArray(vao);
    glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    if (enabled != 0) {
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &feed.buffer);
        glGetVertexAttribiv(location, GL_VERTEX_ATTRIB_ARRAY_SIZE, &feed.size);
    }
    glBindVertexArray(0);
    return feed;
}

TEST(MeshSub, NormalsAndColoursAreUploadedToLocationsTwoAndThreeWhenGiven) {
    for (const bool withExtras : {true, false}) {
        auto mesh = std::make_unique<Mesh>();
        Mesh::Sub& sub = segmentSub(*mesh);
        sub.numberNormals = withExtras ? 6 : 0;
        sub.numberColors = withExtras ? 8 : 0;
        sub.initializeData();
        std::fill(sub.data.vertices, sub.data.vertices + 6, 0.0f);
        std::fill(sub.data.textureCoordinates, sub.data.textureCoordinates + 4, 0.0f);
        sub.data.indices[0] = 0;
        sub.data.indices[1] = 1;
        ASSERT_EQ(sub.data.normals != nullptr, withExtras);
        ASSERT_EQ(sub.data.colors != nullptr, withExtras);
        if (withExtras) {
            const float normals[] = {0, 0, 1, 0, 1, 0};
            const float colours[] = {1, 0, 0, 1, 0, 0.5f, 1, 0.25f};
            std::copy(std::begin(normals), std::end(normals), sub.data.normals);
            std::copy(std::begin(colours), std::end(colours), sub.data.colors);
        }
        sub.pushToGPU(true);

        EXPECT_EQ(sub.data.normals, nullptr);
        EXPECT_EQ(sub.data.colors, nullptr);
        const AttributeFeed normals = attributeFeed(sub.VAO_ID, ovra::Shader::ATTRIB_NORMAL_POS);
        const AttributeFeed colours = attributeFeed(sub.VAO_ID, ovra::Shader::ATTRIB_COLOR_POS);
        if (withExtras) {
            EXPECT_EQ(static_cast<GLuint>(normals.buffer), sub.normalsVBO_ID);
            EXPECT_EQ(normals.size, 3);
            EXPECT_EQ(static_cast<GLuint>(colours.buffer), sub.colorsVBO_ID);
            EXPECT_EQ(colours.size, 4);
            expectFloats(readFloats(sub.normalsVBO_ID, 6), {0, 0, 1, 0, 1, 0});
            expectFloats(readFloats(sub.colorsVBO_ID, 8), {1, 0, 0, 1, 0, 0.5f, 1, 0.25f});
        } else {
            EXPECT_EQ(sub.normalsVBO_ID, 0u);
            EXPECT_EQ(sub.colorsVBO_ID, 0u);
            EXPECT_EQ(normals.buffer, 0);
            EXPECT_EQ(colours.buffer, 0);
            // What a shader then reads at location 3: opaque white.
            GLfloat current[4] = {};
            glGetVertexAttribfv(ovra::Shader::ATTRIB_COLOR_POS, GL_CURRENT_VERTEX_ATTRIB, current);
            expectFloats(std::vector<float>(current, current + 4), {1, 1, 1, 1});
        }
        const GLuint buffers[] = {sub.normalsVBO_ID, sub.colorsVBO_ID};
        mesh.reset();
        for (GLuint buffer : buffers) {
            EXPECT_TRUE(buffer == 0 || glIsBuffer(buffer) == GL_FALSE) << "deleted with the mesh";
        }
    }
}

TEST(PlaneMesh, FacesPlusZForLitShaders) {
    PlaneMesh plane(0.0f, 0.0f, 1.0f, 1.0f);
    expectFloats(readFloats(plane.getSubMeshes().at(0)->normalsVBO_ID, 12), {0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1});
    EXPECT_EQ(attributeFeed(plane.getSubMeshes().at(0)->VAO_ID, ovra::Shader::ATTRIB_NORMAL_POS).size, 3);
}
