// TOxElement: what every object of a game shares — its place in the tree, identity by Key,
// position, visibility, the Order layers that drawing and hit testing go by, the event scripts,
// the script variables, and the 28 virtual operations that the element kinds override.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scene/event_script.h"
#include "script/host.h"

namespace ox::script {
class TVarList;
}

namespace ox::scene {

class TOxDB;
struct ClassInfo;

class TOxElement : public script::ScriptElement {
 public:
  TOxElement();
  TOxElement(const TOxElement&) = delete;
  TOxElement& operator=(const TOxElement&) = delete;
  virtual ~TOxElement();

  // Links a new element as the parent's last child with the creation defaults of a child
  // (root from the parent, Vis, MousedVis and AutoInit true). Returns the element.
  template <class T>
  static T* CreateIn(TOxElement& parent) {
    auto owned = std::make_unique<T>();
    T* element = owned.get();
    parent.AdoptChild(std::move(owned));
    return element;
  }
  // Removes the element (and its subtree) from its parent; the other children keep their order.
  void Destroy();
  // Moves the element to the end of its parent's children (drawn after its siblings).
  void MoveToFront();

  virtual const ClassInfo& Class() const = 0;

  // The virtual operations in the engine's slot order, which every kind keeps; new ones go last.
  virtual void SetVis(bool value);                                          // 1
  virtual void SetX(std::int32_t value);                                    // 2
  virtual void SetY(std::int32_t value);                                    // 3
  virtual void SetSizeX(std::int32_t value);                                // 4
  virtual void SetSizeY(std::int32_t value);                                // 5
  virtual std::int32_t GetSizeX() const;                                    // 6
  virtual std::int32_t GetSizeY() const;                                    // 7
  virtual std::int32_t GetAbsX() const;                                     // 8
  virtual std::int32_t GetAbsY() const;                                     // 9
  virtual TOxElement* HitTest(std::int32_t layer, std::int32_t x, std::int32_t y,
                              std::int32_t agro, std::uint8_t flag);        // 10
  virtual void SetPos(std::int32_t x, std::int32_t y);                      // 11
  virtual void ReadRecord(std::string_view data, bool keepKeys);            // 12
  virtual void Render(std::int32_t layer, std::uint32_t color, double offsetX, double offsetY,
                      std::uint8_t flag);                                   // 13
  virtual void Process();                                                   // 14
  virtual void Show();                                                      // 15
  virtual void MouseIn();                                                   // 16
  virtual void MouseOut();                                                  // 17
  virtual void MouseDown();                                                 // 18
  virtual void MouseUp();                                                   // 19
  virtual void MouseMove();                                                 // 20
  virtual void Update();                                                    // 21
  virtual void Init();                                                      // 22
  virtual void InitPr();                                                    // 23
  virtual void AfterLoad();                                                 // 24
  virtual void LoadResources();                                             // 25
  virtual void ReloadResources();                                           // 26
  bool GetVar(const std::string& name, script::Value& out) override;        // 27
  bool SetVar(const std::string& name, const script::Value& value) override;  // 28

  // The element takes part in hit testing: while visible when MousedVis, while hidden when
  // MousedNotVis.
  bool TakesMouse() const { return Vis ? MousedVis : MousedNotVis; }
  // X and Y: rX and rY rounded half to even; RangeError outside 32 bits.
  std::int32_t X() const;
  std::int32_t Y() const;
  void SetOrder(std::int32_t value);
  void AssignNewKey();
  void ClearResLoaded();
  // Depth-first pre-order search of the subtree. When the element is found inside the subtree
  // of child i and hint is still empty, hint := child i+1 (if there is one).
  TOxElement* FindByKey(std::int32_t key, TOxElement*& hint);
  TOxElement* FindByKey(std::int32_t key);

  TOxElement* Parent() const { return parent_; }
  TOxDB* Root() const { return root_; }
  const std::vector<std::unique_ptr<TOxElement>>& Children() const { return children_; }
  std::uint32_t Ref() const { return ref_; }
  script::TVarList* Vars() const { return vars_.get(); }
  void ReplaceVars(std::unique_ptr<script::TVarList> vars);
  // The element's variables, created empty when it has none yet.
  script::TVarList& EnsureVars();

  // ScriptElement
  script::ScriptElement* ScriptParent() override { return parent_; }
  std::string DiagnosticContext() override;

  // Fields, in declaration order.
  bool ResLoaded = false;
  bool MousedNotVis = false;
  EventScript exMouseMove, exInit, exMouseUp, exVarRS, exMouseOut, exMouseIn, exAfterLoad,
      exMouseDown, exUpdate, exProcess, exShow, exRender;
  bool MousedVis = false;
  bool NoMsOxDB = false;
  std::int32_t Order = 0;
  bool MsKeep = false;
  bool NotSave = false;
  bool AutoInit = true;
  bool InitDone = false;
  std::int32_t MaxOrder = 0;
  std::int32_t MinOrder = 0;
  bool KeepLoaded = false;
  std::string Id;
  std::string Tag;
  std::int32_t Key = 0;
  double rX = 0.0;
  double rY = 0.0;
  bool Vis = false;

 protected:
  // Makes this element the root of its own tree (only the game root is created without a parent).
  void BecomeRoot(TOxDB* self);
  // The reading of ReadRecord that every class shares: values in table order, then children.
  void ReadRecordBase(std::string_view data, bool keepKeys);

 private:
  void AdoptChild(std::unique_ptr<TOxElement> child);
  void WidenOrderRange(std::int32_t low, std::int32_t high);

  TOxElement* parent_ = nullptr;
  TOxDB* root_ = nullptr;
  std::vector<std::unique_ptr<TOxElement>> children_;
  std::unique_ptr<script::TVarList> vars_;
  std::uint32_t ref_ = 0;
};

}  // namespace ox::scene
