#include "model/Environment.hpp"

#include "LineObject.hpp"
#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Input.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Time.hpp"
#include "model/CatAgent.hpp"
#include "model/ZombieAgent.hpp"

#include <cstdlib>
#include <string>

namespace {

const std::size_t kZombieCount = 100;
const float kSpawnPeriod = 1.0f;
const float kArenaHalfSize = 10.1f;
const float kHitRadius = 2.0f;
const float kStrikeReach = 2.0f;
const float kFarAway = 9999999.0f;
// The sprites stand on this plane, so the pointer is picked on it too.
const glm::vec3 kAimPlanePoint(0.0f, 0.1f, 0.0f);
const glm::vec3 kAimPlaneNormal(0.0f, 1.0f, 0.0f);

bool outsideArena(float coordinate) { return coordinate > kArenaHalfSize || coordinate < -kArenaHalfSize; }

const glm::vec3& worldPosition(Agent& agent) { return agent.getEntity()->getTransform().getWorldPosition(); }

}  // namespace

Environment::Environment() : ovra::Entity("Environment") {
    createPlayer();
    createZombies();
    createLine();
}

Environment::~Environment() = default;

void Environment::createPlayer() {
    cats_.push_back(std::make_shared<CatAgent>("Player", true));
    attach(*cats_.back()->getEntity());
    catAgents_.assign(cats_.begin(), cats_.end());
}

void Environment::createZombies() {
    zombies_.resize(kZombieCount);
    for (std::size_t i = 0; i < kZombieCount; ++i) {
        zombies_[i] = std::make_shared<ZombieAgent>("Zombie" + std::to_string(i));
        ovra::Entity* entity = zombies_[i]->getEntity();
        entity->enable(false);
        attach(*entity);
    }
    zombieAgents_.assign(zombies_.begin(), zombies_.end());
}

void Environment::createLine() {
    line_ = new LineObject("line", ovra::ObjectManager::getShader("simple_shader"));
    line_->setColor(1.0f, 1.0f, 0.0f);
    attach(*line_);
}

void Environment::update() {
    lastEvents_ = Events();
    if (!isGameOver_ && !isPaused_) {
        secondsSurvived_ += ovra::Time::deltaTime;
        spawnZombie();
        updateCats();
        updateZombies();
    }
    ovra::Entity::update();
}

int Environment::getPlayerHealth() const { return cats_[0]->getHealth(); }

Score Environment::getResult() const {
    Score result;
    result.zombiesFelled = zombiesFelled_;
    result.millisecondsSurvived = static_cast<long>(secondsSurvived_ * 1000.0);
    return result;
}

void Environment::spawnZombie() {
    timer_ += ovra::Time::deltaTime;
    if (timer_ < kSpawnPeriod) {
        return;
    }
    // The excess over the period is dropped, not carried over.
    timer_ = 0.0f;
    for (const std::shared_ptr<ZombieAgent>& zombie : zombies_) {
        ovra::Entity* entity = zombie->getEntity();
        if (entity->isEnabled(true)) {
            continue;
        }
        entity->getTransform().setPosition(generateSpawnPosition());
        entity->enable(true);
        // Seen where it stands from this very frame on, not only after the tree update.
        entity->getTransform().applyUpdates();
        zombie->setHealth(100);
        return;
    }
}

glm::vec3 Environment::generateSpawnPosition() {
    const int border = std::rand() % 4;
    const auto place = static_cast<float>(std::rand() % 21 - 10);
    switch (border) {
        case 0: return glm::vec3(-10.0f, 0.1f, place);
        case 2: return glm::vec3(10.0f, 0.1f, place);
        case 1: return glm::vec3(place, 0.1f, -10.0f);
        default: return glm::vec3(place, 0.1f, 10.0f);
    }
}

void Environment::updateCats() {
    bool hasPointer = false;
    const glm::vec3 cursorPosition = pointerOnGround(hasPointer);
    for (const std::shared_ptr<Agent>& cat : catAgents_) {
        updateAgent(*cat, catAgents_, zombieAgents_);
        cat->getWeapon().update();
        const std::shared_ptr<AgentBehavior> behavior = cat->getBehavior();
        if (!behavior || behavior->getAction() != AgentBehavior::ATTACK) {
            continue;
        }
        const glm::vec3 catPosition = worldPosition(*cat);
        // Without a camera the pointer is taken to be over the cat: no aim.
        shoot(*cat, catPosition, hasPointer ? cursorPosition : catPosition);
    }
}

void Environment::updateZombies() {
    for (const std::shared_ptr<Agent>& zombie : zombieAgents_) {
        if (!zombie->getEntity()->isEnabled(true)) {
            continue;
        }
        updateAgent(*zombie, zombieAgents_, catAgents_);
        zombie->getWeapon().update();
        strikeCats(*zombie);
    }
}

void Environment::updateAgent(Agent& agent, const AgentList& allies, const AgentList& enemies) {
    const float deltaTime = ovra::Time::deltaTime;
    ovra::Transform& transform = agent.getEntity()->getTransform();
    const glm::vec3 agentPosition = transform.getWorldPosition();
    const std::shared_ptr<AgentBehavior> behavior = agent.getBehavior();
    // An agent without a mind stands still.
    if (!behavior) {
        return;
    }
    behavior->update(agent, transform, allies, enemies);
    const AgentBehavior::Motion& agentMotion = behavior->getMotion();

    const float moveSpeed = agent.getMoveSpeed() * agentMotion.intensity * deltaTime;
    glm::vec2 translation = agentMotion.direction * moveSpeed;
    // Each axis on its own: a step that would leave the arena is dropped, not shortened.
    if (outsideArena(agentPosition.x + translation.x)) {
        translation.x = 0.0f;
    }
    if (outsideArena(agentPosition.z + translation.y)) {
        translation.y = 0.0f;
    }
    if (translation != glm::vec2(0.0f)) {
        transform.translate(translation.x, 0.0f, translation.y);
    }
    transform.setRotation(glm::angleAxis(agentMotion.angle, ovra::V_UP));
}

glm::vec3 Environment::pointerOnGround(bool& hasPointer) const {
    const ovra::Camera* camera = GETCAMERA();
    hasPointer = camera != nullptr;
    if (!hasPointer) {
        return glm::vec3(0.0f);
    }
    ovra::Input& input = GETINPUT();
    const auto cursorX = static_cast<unsigned int>(input.getMouseX());
    const auto cursorY = static_cast<unsigned int>(input.getMouseY());
    return camera->screenToWorldToPlanePosition(cursorX, cursorY, kAimPlanePoint, kAimPlaneNormal);
}

void Environment::shoot(Agent& cat, const glm::vec3& catPosition, const glm::vec3& target) {
    const glm::vec3 firePath = target - catPosition;
    // A pointer exactly on the cat gives no direction to aim along (normalising would be NaN).
    if (!(glm::length(firePath) > 0.0f)) {
        return;
    }
    Agent* zombie = findTarget(catPosition, glm::normalize(firePath));
    // Aiming at nothing leaves the weapon ready and the line where it was.
    if (zombie == nullptr || !cat.getWeapon().fire()) {
        return;
    }
    line_->setPoints(catPosition, worldPosition(*zombie));
    ++lastEvents_.blowsDealt;
    if (zombie->inflictDamage(cat.getAttack())) {
        zombie->getEntity()->enable(false);
        ++zombiesFelled_;
        ++lastEvents_.zombiesFelled;
    }
}

Agent* Environment::findTarget(const glm::vec3& catPosition, const glm::vec3& fireDirection) const {
    Agent* touchedZombie = nullptr;
    float minDistance = kFarAway;
    for (const std::shared_ptr<Agent>& zombie : zombieAgents_) {
        if (!zombie->getEntity()->isEnabled(true)) {
            continue;
        }
        const glm::vec3& zombiePosition = worldPosition(*zombie);
        const float distance = glm::length(zombiePosition - catPosition);
        if (distance >= minDistance) {
            continue;
        }
        // The point of the aim ray as far from the cat as the zombie is.
        const glm::vec3 raycast = catPosition + fireDirection * distance;
        if (glm::length(raycast - zombiePosition) < kHitRadius) {
            touchedZombie = zombie.get();
            minDistance = distance;
        }
    }
    return touchedZombie;
}

void Environment::strikeCats(Agent& zombie) {
    const glm::vec3& zombiePosition = worldPosition(zombie);
    for (const std::shared_ptr<Agent>& cat : catAgents_) {
        const float distance = glm::length(worldPosition(*cat) - zombiePosition);
        // The weapon is asked only when a blow could land, so it is not spent otherwise.
        if (distance <= kStrikeReach && !isGameOver_ && zombie.getWeapon().fire()) {
            isGameOver_ = cat->inflictDamage(zombie.getAttack());
            ++lastEvents_.catHurt;
        }
    }
}
