#ifndef OVRA_FUZZ_SYNTHETICSCENE_HPP
#define OVRA_FUZZ_SYNTHETICSCENE_HPP

// An assimp scene decoded from fuzz bytes, shaped the way damaged files or other importers
// could hand one over: indices past their lists, null arrays behind non-zero (even huge)
// counts, null entries, non-triangle faces, NaN matrices and material properties of any type
// or size. Arrays that are present always hold as many items as their count says.

#include <memory>
#include <utility>
#include <vector>

#include <assimp/scene.h>

class ByteReader;

class SyntheticScene {
public:
    explicit SyntheticScene(ByteReader& in);
    // Puts the true counts back before assimp's destructors walk the arrays.
    ~SyntheticScene();
    SyntheticScene(const SyntheticScene&) = delete;
    SyntheticScene& operator=(const SyntheticScene&) = delete;

    const aiScene& scene() const { return *scene_; }

private:
    // A count for an array: small, or for a missing array possibly huge (remembered, see lie()).
    unsigned int count(unsigned int max);
    // Sets `field` to `shown` (and the array stays null); the destructor restores 0.
    void lie(unsigned int& field, bool missingArray, unsigned int shown);

    aiMesh* newMesh();
    aiMaterial* newMaterial();
    void addProperty(aiMaterial& material);
    aiNode* newNode(aiNode* parent, int depth);
    void fillMatrix(aiMatrix4x4& m);

    ByteReader& in_;
    std::unique_ptr<aiScene> scene_;
    std::vector<unsigned int*> lies_;
    int nodesLeft_ = 48;
};

#endif
