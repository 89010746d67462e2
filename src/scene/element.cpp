#include "scene/element.h"

#include <algorithm>

#include "platform/core/checked.h"
#include "scene/class_registry.h"
#include "scene/element_refs.h"
#include "scene/game_root.h"
#include "script/var_list.h"

namespace ox::scene {

TOxElement::TOxElement() : ref_(ElementRefs::Register(this)) {}

TOxElement::~TOxElement() {
  children_.clear();
  ElementRefs::Release(ref_);
}

void TOxElement::AdoptChild(std::unique_ptr<TOxElement> child) {
  TOxElement& c = *child;
  c.parent_ = this;
  c.root_ = root_;
  children_.push_back(std::move(child));
  c.SetVis(true);
  c.MousedVis = true;
  c.AutoInit = true;
  if (root_ != nullptr) root_->OrdersChanged();
}

void TOxElement::BecomeRoot(TOxDB* self) {
  root_ = self;
  parent_ = nullptr;
}

void TOxElement::Destroy() {
  if (parent_ == nullptr) return;
  auto& siblings = parent_->children_;
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [this](const auto& c) { return c.get() == this; });
  if (it == siblings.end()) return;
  if (root_ != nullptr) root_->OrdersChanged();
  siblings.erase(it);  // destroys *this
}

void TOxElement::MoveToFront() {
  if (parent_ == nullptr) return;
  auto& siblings = parent_->children_;
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [this](const auto& c) { return c.get() == this; });
  std::rotate(it, it + 1, siblings.end());
}

void TOxElement::SetVis(bool value) { Vis = value; }
void TOxElement::SetX(std::int32_t value) { rX = value; }
void TOxElement::SetY(std::int32_t value) { rY = value; }
void TOxElement::SetSizeX(std::int32_t) {}
void TOxElement::SetSizeY(std::int32_t) {}
std::int32_t TOxElement::GetSizeX() const { return 0; }
std::int32_t TOxElement::GetSizeY() const { return 0; }

std::int32_t TOxElement::X() const { return RoundToInt32(rX); }
std::int32_t TOxElement::Y() const { return RoundToInt32(rY); }

std::int32_t TOxElement::GetAbsX() const {
  return parent_ ? CheckedAdd(parent_->GetAbsX(), X()) : X();
}

std::int32_t TOxElement::GetAbsY() const {
  return parent_ ? CheckedAdd(parent_->GetAbsY(), Y()) : Y();
}

void TOxElement::SetPos(std::int32_t x, std::int32_t y) {
  rX = x;
  rY = y;
}

TOxElement* TOxElement::HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                                std::int32_t agro, std::uint8_t flag) {
  if (!TakesMouse()) return nullptr;
  if (layer < MinOrder || layer > MaxOrder) return nullptr;
  const std::int32_t cx = CheckedSub(x, X());
  const std::int32_t cy = CheckedSub(y, Y());
  for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
    if (TOxElement* hit = (*it)->HitTest(layer, cx, cy, agro, flag)) return hit;
  }
  return nullptr;
}

void TOxElement::ReadRecord(std::string_view data, bool keepKeys) { ReadRecordBase(data, keepKeys); }

void TOxElement::Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                        std::uint8_t) {
  if (!ResLoaded) LoadResources();
  if (layer < MinOrder || layer > MaxOrder) return;
  for (const auto& child : children_) {
    if (child->Vis) child->Render(layer, color, offsetX + rX, offsetY + rY, 0);
  }
}

void TOxElement::Process() {
  if (!Vis && !MousedNotVis) return;
  RunEvent(*this, exProcess, "Process");
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->Process();
}

void TOxElement::Show() {
  RunEvent(*this, exShow, "Show");
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->Show();
}

void TOxElement::MouseIn() { RunEvent(*this, exMouseIn, "ms_In"); }
void TOxElement::MouseOut() { RunEvent(*this, exMouseOut, "ms_Out"); }
void TOxElement::MouseDown() { RunEvent(*this, exMouseDown, "ms_Down"); }
void TOxElement::MouseUp() { RunEvent(*this, exMouseUp, "ms_Up"); }
void TOxElement::MouseMove() { RunEvent(*this, exMouseMove, "ms_Move"); }
void TOxElement::Update() { RunEvent(*this, exUpdate, "Update"); }

void TOxElement::Init() {
  if (InitDone) return;
  InitDone = true;
  if (Class().facts.initsOnlyWithAutoInit && !AutoInit) return;
  ReplaceVars(std::make_unique<script::TVarList>());
  RunEvent(*this, exInit, "Init", vars_.get());
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->Init();
}

void TOxElement::InitPr() {
  ReplaceVars(std::make_unique<script::TVarList>());
  RunEvent(*this, exInit, "InitPr", vars_.get());
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->InitPr();
}

void TOxElement::AfterLoad() {
  RunEvent(*this, exAfterLoad, "Load");
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->AfterLoad();
}

// Re-assigning the picture and font properties makes their setters load what they name.
static void ReassignResourceProperties(TOxElement& element) {
  for (const PropertyInfo& p : element.Class().properties) {
    if (IsResourceProperty(p)) p.set(element, p.get(element));
  }
}

void TOxElement::LoadResources() {
  if (ResLoaded) return;
  ReassignResourceProperties(*this);
  ResLoaded = true;
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->LoadResources();
}

void TOxElement::ReloadResources() {
  if (ResLoaded) ReassignResourceProperties(*this);
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->ReloadResources();
}

void TOxElement::SetOrder(std::int32_t value) {
  const bool changed = value != Order;
  Order = value;
  WidenOrderRange(value, value);
  // The same Order again (a script setting it every frame) leaves the layer list as it is.
  if (changed && root_ != nullptr) root_->OrdersChanged();
}

void TOxElement::WidenOrderRange(std::int32_t low, std::int32_t high) {
  MinOrder = std::min(MinOrder, low);
  MaxOrder = std::max(MaxOrder, high);
  for (TOxElement* child = this; TOxElement* p = child->parent_; child = p) {
    bool changed = false;
    if (p->MaxOrder < child->MaxOrder) p->MaxOrder = child->MaxOrder, changed = true;
    if (p->MinOrder > child->MinOrder) p->MinOrder = child->MinOrder, changed = true;
    if (!changed) break;
  }
}

void TOxElement::AssignNewKey() {
  TOxDB* root = root_;
  if (root == nullptr) return;
  root->CurKey = CheckedAdd(root->CurKey, 1);
  Key = root->CurKey;
}

void TOxElement::ClearResLoaded() {
  ResLoaded = false;
  for (const auto& child : children_) child->ClearResLoaded();
}

TOxElement* TOxElement::FindByKey(std::int32_t key, TOxElement*& hint) {
  if (Key == key) return this;
  for (std::size_t i = 0; i < children_.size(); ++i) {
    if (TOxElement* found = children_[i]->FindByKey(key, hint)) {
      if (hint == nullptr && i + 1 < children_.size()) hint = children_[i + 1].get();
      return found;
    }
  }
  return nullptr;
}

TOxElement* TOxElement::FindByKey(std::int32_t key) {
  TOxElement* alreadySet = this;
  return FindByKey(key, alreadySet);
}

void TOxElement::ReplaceVars(std::unique_ptr<script::TVarList> vars) { vars_ = std::move(vars); }

script::TVarList& TOxElement::EnsureVars() {
  if (!vars_) vars_ = std::make_unique<script::TVarList>();
  return *vars_;
}

std::string TOxElement::DiagnosticContext() { return Id + " <" + Class().name + ">"; }

}  // namespace ox::scene
