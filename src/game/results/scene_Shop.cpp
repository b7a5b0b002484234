#include "src/game/results/scene_Shop.h"

#include "content/ContentIds.h"
#include "pb_src/j2me/java_lang_StringBuffer.h"
#include "src/game/foundation/ResourceIds.h"
#include "src/game/foundation/SavedProgress.h"
#include "src/game/foundation/SceneTable.h"
#include "src/game/results/Progress.h"
#include "src/game/results/ScreenParts.h"
#include "src/kv/input/kv_input_PointerInputEventManager.h"
#include "src/kv/kv_Resources.h"

namespace scene {

VM_DEFINE_CLASS(Shop, "scene.Shop", "ui.Scene", VM_NO_CLINIT)

namespace {

const ui::SceneRegistration registration(scene_id::kShop, &ui::buildScene<Shop>);

constexpr int32_t kItemCount = ui::progress::kItemCount;
constexpr int32_t kBackground = 0, kBuyButton = 19, kCoin = 25, kFirstItem = 26, kBackAnimation = 0;
constexpr int32_t kCentreX = 120, kRight = 240, kBottom = 320;
// Kept texts (ui::Scene::keptText).
constexpr int32_t kMoneyText = 0, kPriceCaptionText = 1, kPriceCaptionSpacedText = 2, kPriceText = 3;
constexpr int32_t kCaptions[5] = {content::text::SHOP_HELP_1, content::text::SHOP_HELP_2, content::text::SHOP_HELP_3,
                                  content::text::SHOP_HELP_4, content::text::SHOP_HELP_5};

VMPtr<results::String> withSuffix(VMPtr<results::String> text, const char* suffix) {
    VMPtr<java::lang::StringBuffer> sb = java::lang::StringBuffer::_VM_new();
    sb->_VM_init(text);
    sb->append(results::String::fromUtf8(suffix));
    return sb->toString();
}

}  // namespace

VMPtr<Shop> Shop::_VM_init(VMPtr<ui::SceneManager> owner) {
    Scene::_VM_init();
    manager = owner;
    init();
    return this;
}

void Shop::init() {
    state = loadStep = 0;
    money = results::loadRecord(*manager, 0)->at(ui::progress::kMoney);
    itemStates = VMArray<int8_t, 1>::_VM_new(kItemCount);
    refresh();
}

void Shop::refresh() {
    VMPtr<VMArray<int8_t, 1>> record = results::loadRecord(*manager, 0);
    for (int32_t i = 0; i < kItemCount; ++i) itemStates->at(i) = record->at(ui::progress::kItems + i);
}

void Shop::update(int32_t dt) {
    if (state == 0) load();
    else if (state == 1) backPlayer->update(dt);
}

void Shop::load() {
    if (loadStep == 0) {
        loadStep = 15;
    } else if (loadStep == 15) {
        panelSet = results::loadAnimSet(content::res::PANEL_SET, content::res::PANEL_GOBS);
        loadStep = 14;
    } else if (loadStep == 14) {
        shopSet = results::loadAnimSet(content::res::SHOP_SET, content::res::SHOP_GOBS);
        background = shopSet->getFrame(kBackground);
        backPlayer = results::newBackPlayer(shopSet, kBackAnimation);
        loadStep = 13;
    } else if (loadStep == 13) {
        character = InGameObject::Character::_VM_new();
        character->_VM_init(results::loadRecord(*manager, 0), 0);
        character->figure->setX(0);
        character->figure->setY(0);
        character->body->setX(0);
        character->body->setY(0);
        loadStep = 12;
    } else if (loadStep >= 2 && loadStep <= 12) {
        --loadStep;
    } else if (loadStep == 1) {
        kv::Resources::closePack();
        state = 1;
    }
}

void Shop::step(bool back) {
    cursor = back ? (cursor + kItemCount - 1) % kItemCount : (cursor + 1) % kItemCount;
    character->switchWeapon(back);
}

void Shop::buy() {
    VMPtr<VMArray<int8_t, 1>> record = results::loadRecord(*manager, 0);
    if (itemStates->at(cursor) != ui::progress::kItemForSale) return;
    if (!results::buy(results::bytes(record), cursor, money)) return;
    results::saveRecord(*manager, 0, record);
    refresh();
}

void Shop::handleKeys() {
    if (state != 0 && manager->isActionPressed(10)) step(true);
    else if (state != 0 && manager->isActionPressed(11)) step(false);
    else if (manager->isActionPressed(14) || manager->isActionPressed(20)) buy();
    else if (manager->isActionPressed(12)) manager->changeScene(scene_id::kWorldMap);
}

void Shop::handlePointer() {
    using kv::input::PointerInputEventManager;
    if (state != 1 || PointerInputEventManager::getStaticFlag() != PointerInputEventManager::PRESSED) return;
    const int32_t x = PointerInputEventManager::getStaticIntA(), y = PointerInputEventManager::getStaticIntB();
    const int32_t half = background->getHeight(0) / 2;
    VMPtr<results::BoxArray> arrows = results::boxesOf(*this, InGameObject::kArrowBoxes, background, 2, 2);
    if (isPointInBox(x, y, results::zoneOf(arrows->at(0), kCentreX, half))) return step(true);
    if (isPointInBox(x, y, results::zoneOf(arrows->at(1), kCentreX, half))) return step(false);
    if (results::isOnBackButton(*this, backPlayer, x, y)) return manager->changeScene(scene_id::kWorldMap);
    VMPtr<results::BoxArray> button = results::boxesOf(*this, InGameObject::kButtonBoxes, shopSet->getFrame(kBuyButton), 0, 1);
    if (isPointInBox(x, y, results::zoneOf(button->at(0), kRight, kBottom))) buy();
}

void Shop::paint(VMPtr<Graphics> g) {
    if (state != 1) return;
    g->setColor(0);
    g->fillRect(0, 0, 240, 320);
    const int32_t half = background->getHeight(0) / 2;
    background->paint(g, kCentreX, half, 0);
    VMPtr<results::BoxArray> lines = results::boxesOf(*this, InGameObject::kLineBoxes, background, 0, 8), places = results::boxesOf(*this, InGameObject::kPlaceBoxes, background, 1, 2);
    VMPtr<kv::util::text::RichFont> title = results::fontOf(*manager, 0), body = results::fontOf(*manager, 1);
    const int32_t h0 = title->getHeight(), h1 = body->getHeight();
    auto x = [&](int32_t i) { return lines->at(i)->x + kCentreX; };
    auto y = [&](int32_t i) { return lines->at(i)->y + half - h1 / 2; };
    title->drawString(g, results::textOf(*manager, content::text::SHOP_TITLE), x(0), lines->at(0)->y - h0 / 2 + half,
                      results::kCentre);
    body->drawString(g, keptText(kMoneyText, {money}, [&] { return results::String::valueOf(money); }), x(1), y(1),
                     results::kLeft);
    shopSet->getFrame(kFirstItem + cursor)->paint(g, places->at(1)->x + kCentreX, places->at(1)->y + half, 0);
    for (int32_t i = 0; i < 5; ++i) body->drawString(g, results::textOf(*manager, kCaptions[i]), x(2 + i), y(2 + i), results::kLeft);
    paintStatus(g, lines->at(7), half);
    // The figure holds only the weapon; the standing body under it shows the hero.
    VMPtr<kv::AnimPlayer> figure = character->figure;
    const int32_t heroX = places->at(0)->x + kCentreX, heroY = places->at(0)->y + half + figure->getHeight(0) / 2;
    character->body->paint(g, heroX, heroY, 0);
    figure->paint(g, heroX, heroY, 0);
    backPlayer->paint(g);
}

void Shop::paintStatus(VMPtr<Graphics> g, kv::graphics::CollisionBox* line, int32_t half) {
    VMPtr<kv::util::text::RichFont> body = results::fontOf(*manager, 1);
    const int32_t h1 = body->getHeight(), x = line->x + kCentreX, y = line->y + half;
    const int8_t status = itemStates->at(cursor);
    if (status == ui::progress::kItemLocked || status == ui::progress::kItemOwned) {
        const int32_t id = status == ui::progress::kItemLocked ? content::text::SHOP_LOCKED : content::text::SHOP_OWNED;
        body->drawString(g, results::textOf(*manager, id), x, y - h1 / 2, results::kLeft);
        return;
    }
    if (status != ui::progress::kItemForSale) return;
    VMPtr<results::String> caption = results::textOf(*manager, content::text::SHOP_PRICE);
    const TextKey inLanguage = {manager->languageIndex};
    body->drawString(g, keptText(kPriceCaptionText, inLanguage, [&] { return withSuffix(caption, " :"); }), x, y - h1 / 2,
                     results::kLeft);
    const int32_t w = body->stringWidth(keptText(kPriceCaptionSpacedText, inLanguage, [&] { return withSuffix(caption, " : "); }));
    VMPtr<kv::Frame> coin = shopSet->getFrame(kCoin);
    coin->paint(g, x + w, y - coin->getHeight(0) / 2, 0);
    const int32_t price = results::priceOf(cursor);
    VMPtr<results::String> priceText = keptText(kPriceText, {price}, [&] {
        VMPtr<java::lang::StringBuffer> text = java::lang::StringBuffer::_VM_new();
        text->_VM_init(" ");
        text->append(price);
        return text->toString();
    });
    body->drawString(g, priceText, x + w + coin->getWidth(0), y - h1 / 2, results::kLeft);
    if (money < price) return;
    VMPtr<kv::Frame> button = shopSet->getFrame(kBuyButton);
    button->paint(g, kRight, kBottom, 0);
    VMPtr<results::BoxArray> label = results::boxesOf(*this, InGameObject::kLabelBoxes, button, 1, 1);
    body->drawString(g, results::textOf(*manager, content::text::SHOP_BUY), label->at(0)->x + kRight,
                     label->at(0)->y - h1 / 2 + kBottom, results::kCentre);
}

}  // namespace scene
