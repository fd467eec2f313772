#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/SDL2/SDL2Container.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include "RatioGoal.hpp"
#include "WindowSetup.hpp"

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <benchmark/benchmark.h>
#include <assimp/Importer.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kColumns = 250;
constexpr int kRows = 200;  // 250 x 200 quads, two triangles each: 100,000 triangles
// The import may take at most this many times assimp's own read.
constexpr double kImportGoal = 1.50;

// A wavy grid with texture coordinates, written as triangles into `path`.
void writeGridObj(const std::string& path) {
    std::ofstream out(path);
    for (int y = 0; y <= kRows; ++y) {
        for (int x = 0; x <= kColumns; ++x) {
            out << "v " << x * 0.1f << ' ' << 0.05f * static_cast<float>((x + y) % 7) << ' ' << y * 0.1f << '\n';
        }
    }
    for (int y = 0; y <= kRows; ++y) {
        for (int x = 0; x <= kColumns; ++x) {
            out << "vt " << static_cast<float>(x) / kColumns << ' ' << static_cast<float>(y) / kRows << '\n';
        }
    }
    const auto corner = [](int x, int y) { return std::to_string(y * (kColumns + 1) + x + 1); };
    const auto vertex = [&corner](int x, int y) { return corner(x, y) + "/" + corner(x, y); };
    for (int y = 0; y < kRows; ++y) {
        for (int x = 0; x < kColumns; ++x) {
            out << "f " << vertex(x, y) << ' ' << vertex(x + 1, y) << ' ' << vertex(x + 1, y + 1) << '\n';
            out << "f " << vertex(x + 1, y + 1) << ' ' << vertex(x, y + 1) << ' ' << vertex(x, y) << '\n';
        }
    }
}

// The window and GL context the upload needs, a scratch resources folder holding the model,
// and a plain shader for the materials.
class ImportSetup {
public:
    ImportSetup() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ovra-bench-XXXXXX").string();
        folder_ = mkdtemp(&pattern[0]) != nullptr ? pattern + "/" : std::string();
        writeGridObj(folder_ + kModel);
        ready_ = !folder_.empty() && container_.initialize(workshop::windowParam("Ovra import benchmark", 320, 240));
        if (ready_) {
            shader_ = std::make_unique<ovra::Shader>(
                "#version 330\nin vec3 in_vertex;\nuniform mat4 u_mvp;\n"
                "void main() { gl_Position = u_mvp * vec4(in_vertex, 1.0); }\n",
                "#version 330\nuniform vec3 u_color;\nout vec4 out_color;\n"
                "void main() { out_color = vec4(u_color, 1.0); }\n");
        }
    }
    ~ImportSetup() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    bool ready() const { return ready_; }
    std::string modelPath() const { return folder_ + kModel; }
    const std::string& folder() const { return folder_; }
    ovra::Shader* shader() const { return shader_.get(); }

    static constexpr const char* kModel = "grid.obj";

private:
    std::string folder_;
    ovra::sdl2::SDL2Container container_;
    std::unique_ptr<ovra::Shader> shader_;
    bool ready_ = false;
};

// Frees the materials an imported tree's meshes use: they are bound to the benchmark's shader.
void releaseMaterials(const ovra::Node& node) {
    if (auto* visual = static_cast<ovra::Visual*>(node.getComponent(ovra::Component::VISUAL))) {
        const ovra::Mesh& mesh = visual->getMesh();
        for (int i = 0; mesh.hasSubMesh(i); ++i) {
            if (mesh.hasMaterial(i)) {
                delete ovra::ObjectManager::removeMaterial(mesh.getMaterialID(i));
            }
        }
    }
    for (const ovra::Node* child : node.getChildren()) {
        releaseMaterials(*child);
    }
}

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each iteration reads the file once with assimp alone and once through the import, so both
// figures come from the same run and the same warm file cache. The iteration time reported
// is the import's; the counters give both means and their ratio.
void BM_ModelImport100kTriangles(benchmark::State& state) {
    ImportSetup setup;
    if (!setup.ready()) {
        state.SkipWithError("no GL context (run under a display, e.g. Xvfb)");
        return;
    }
    ovra::ObjectManager::setRessourcesPath(setup.folder());

    double assimpSeconds = 0.0;
    double importSeconds = 0.0;
    const auto readAlone = [&setup, &assimpSeconds]() {
        const auto start = std::chrono::steady_clock::now();
        {
            Assimp::Importer importer;
            benchmark::DoNotOptimize(
                importer.ReadFile(setup.modelPath(), aiProcess_Triangulate | aiProcess_GenNormals));
        }
        assimpSeconds += secondsSince(start);
    };
    const auto import = [&setup, &importSeconds]() {
        const auto start = std::chrono::steady_clock::now();
        ovra::Entity* root = ovra::ObjectManager::load3DFile(ImportSetup::kModel, setup.shader());
        const double seconds = secondsSince(start);
        importSeconds += seconds;
        releaseMaterials(*root);
        delete root;
        return seconds;
    };
    bool importFirst = false;
    for (auto _ : state) {
        // Taking turns at going first, so neither gains from the other's freed memory.
        double seconds = 0.0;
        if (importFirst) {
            seconds = import();
            readAlone();
        } else {
            readAlone();
            seconds = import();
        }
        importFirst = !importFirst;
        state.SetIterationTime(seconds);
    }
    ovra::ObjectManager::setRessourcesPath("");

    const double n = static_cast<double>(state.iterations());
    const double ratio = importSeconds / assimpSeconds;
    state.counters["assimp_read_ms"] = 1000.0 * assimpSeconds / n;
    state.counters["import_ms"] = 1000.0 * importSeconds / n;
    state.counters["import_over_assimp"] = ratio;
    std::printf(
        "model import, 100,000 triangles: assimp ReadFile %.1f ms, load3DFile %.1f ms, ratio %.2f (goal: at most "
        "%.2f; %s)\n",
        1000.0 * assimpSeconds / n, 1000.0 * importSeconds / n, ratio, kImportGoal, againstGoal(ratio, kImportGoal));
    std::fflush(stdout);
}
BENCHMARK(BM_ModelImport100kTriangles)->UseManualTime()->Iterations(6)->Unit(benchmark::kMillisecond);

}  // namespace
