#include "Published.h"

#include <map>
#include <memory>

#include "Controls.h"
#include "Forms.h"
#include "Menus.h"
#include "StdRegistration.h"

const char* KindName(TValue::TKind kind) {
  switch (kind) {
    case TValue::vaInteger: return "an integer";
    case TValue::vaFloat: return "a number";
    case TValue::vaString: return "a string";
    case TValue::vaIdent: return "an identifier";
    case TValue::vaSet: return "a set";
    case TValue::vaList: return "a list";
    case TValue::vaBinary: return "binary data";
    default: return "nothing";
  }
}

const TPropInfo* TPropTable::Find(const std::string& name) const {
  for (const TPropInfo& p : FProps)
    if (SameText(p.Name, name)) return &p;
  return FBase ? FBase->Find(name) : nullptr;
}

std::vector<std::string> TPropTable::Names() const {
  std::vector<std::string> names = FBase ? FBase->Names() : std::vector<std::string>{};
  for (const TPropInfo& p : FProps) names.push_back(p.Name);
  return names;
}

int TEnumNames::Find(const std::string& ident) const {
  for (size_t i = 0; i < Names.size(); ++i)
    if (SameText(Names[i], ident)) return static_cast<int>(i);
  return -1;
}

const TEnumNames& AlignNames() {
  static const TEnumNames n{{"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom"}};
  return n;
}
const TEnumNames& AnchorNames() {
  static const TEnumNames n{{"akLeft", "akTop", "akRight", "akBottom"}};
  return n;
}
const TEnumNames& FontStyleNames() {
  static const TEnumNames n{{"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};
  return n;
}
// Character sets by their classic names, in the order of their numbers.
static const TEnumNames& CharsetNames() {
  static const TEnumNames n{{"ANSI_CHARSET", "DEFAULT_CHARSET", "SYMBOL_CHARSET"}};
  return n;
}
static const TEnumNames& BorderStyleNames() {
  static const TEnumNames n{{"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}};
  return n;
}
static const TEnumNames& BorderIconNames() {
  static const TEnumNames n{{"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}};
  return n;
}
static const TEnumNames& FormStyleNames() {
  static const TEnumNames n{{"fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop"}};
  return n;
}
static const TEnumNames& PositionNames() {
  static const TEnumNames n{{"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter",
                             "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter"}};
  return n;
}
static const TEnumNames& WindowStateNames() {
  static const TEnumNames n{{"wsNormal", "wsMinimized", "wsMaximized"}};
  return n;
}

// --- values ----------------------------------------------------------------

long long IntegerOf(const TValue& v, TLoadContext& c) {
  if (v.Kind != TValue::vaInteger) c.Fail(v, std::string("integer expected, found ") + KindName(v.Kind));
  return v.Integer;
}

bool BoolOf(const TValue& v, TLoadContext& c) {
  if (v.Kind == TValue::vaIdent) {
    if (SameText(v.Text, "True")) return true;
    if (SameText(v.Text, "False")) return false;
  }
  c.Fail(v, "True or False expected");
}

std::string StringOf(const TValue& v, TLoadContext& c) {
  if (v.Kind != TValue::vaString) c.Fail(v, std::string("string expected, found ") + KindName(v.Kind));
  return v.Text;
}

TColor ColorOf(const TValue& v, TLoadContext& c) {
  if (v.Kind == TValue::vaInteger) return static_cast<TColor>(v.Integer);
  TColor color = 0;
  if (v.Kind == TValue::vaIdent && ColorFromIdent(v.Text, color)) return color;
  c.Fail(v, v.Kind == TValue::vaIdent ? "unknown colour '" + v.Text + "'" : "colour expected");
}

int EnumOf(const TValue& v, const TEnumNames& names, TLoadContext& c) {
  if (v.Kind != TValue::vaIdent) c.Fail(v, std::string("identifier expected, found ") + KindName(v.Kind));
  const int i = names.Find(v.Text);
  if (i < 0) c.Fail(v, "unknown value '" + v.Text + "'");
  return i;
}

uint32_t SetOf(const TValue& v, const TEnumNames& names, TLoadContext& c) {
  if (v.Kind != TValue::vaSet) c.Fail(v, std::string("set expected, found ") + KindName(v.Kind));
  uint32_t bits = 0;
  for (const std::string& item : v.Items) {
    const int i = names.Find(item);
    if (i < 0) c.Fail(v, "unknown set member '" + item + "'");
    bits |= uint32_t{1} << i;
  }
  return bits;
}

std::vector<std::string> ListOf(const TValue& v, TLoadContext& c) {
  if (v.Kind != TValue::vaList) c.Fail(v, std::string("list of strings expected, found ") + KindName(v.Kind));
  return v.Items;
}

bool SplitPictureData(const std::vector<uint8_t>& b, std::string& graphicClass, std::vector<uint8_t>& data,
                      std::string& problem) {
  const size_t nameLength = b.empty() ? 0 : b[0];
  if (b.size() < 1 + nameLength + 4) {
    problem = "picture data is cut short";
    return false;
  }
  graphicClass.assign(b.begin() + 1, b.begin() + 1 + static_cast<long>(nameLength));
  const uint8_t* n = b.data() + 1 + nameLength;
  const size_t count = n[0] | (n[1] << 8) | (n[2] << 16) | (static_cast<size_t>(n[3]) << 24);
  const size_t held = b.size() - 1 - nameLength - 4;
  if (held != count) {
    problem = "picture data holds " + std::to_string(held) + " bytes, not " + std::to_string(count);
    return false;
  }
  data.assign(n + 4, n + 4 + count);
  return true;
}

void LoadPictureValue(TPicture* picture, const TValue& v, TLoadContext& c) {
  if (v.Kind != TValue::vaBinary) c.Fail(v, std::string("picture data expected, found ") + KindName(v.Kind));
  if (v.Bytes.empty()) {
    picture->SetGraphic(nullptr);
    return;
  }
  std::string className, problem;
  std::vector<uint8_t> data;
  if (!SplitPictureData(v.Bytes, className, data, problem)) c.Fail(v, problem);
  try {
    picture->LoadFromData(className, data);
  } catch (const EInvalidGraphic& e) {
    c.Fail(v, e.Message());
  }
}

std::string BoolText(bool b) { return b ? "True" : "False"; }

std::string SetText(uint32_t bits, const TEnumNames& names) {
  std::string out = "[";
  for (size_t i = 0; i < names.Names.size(); ++i) {
    if (!(bits & (uint32_t{1} << i))) continue;
    if (out.size() > 1) out += ", ";
    out += names.Names[i];
  }
  return out + "]";
}

std::any TMethodTable::Bind(TObject* root, const std::string& name) const {
  for (const TEntry& e : FEntries)
    if (SameText(e.Name, name)) return e.Make(root);
  return {};
}

std::vector<std::string> TMethodTable::Names() const {
  std::vector<std::string> n;
  for (const TEntry& e : FEntries) n.push_back(e.Name);
  return n;
}

// --- base tables -----------------------------------------------------------

namespace {

// The design position of a non-visual component: it places its icon in a
// form designer and has no effect at run time.
void IgnoreDesignPosition(TObject*, const TValue& v, TLoadContext& c) { IntegerOf(v, c); }

template <class T>
T* As(TObject* o, const TValue& v, TLoadContext& c, const char* property) {
  T* t = dynamic_cast<T*>(o);
  if (!t) c.Fail(v, std::string(property) + " is not a property of this class");
  return t;
}

}  // namespace

const TPropTable& ComponentProperties() {
  static const TPropTable table = [] {
    TPropTable t;
    t.Add({"Tag", [](TObject* o, const TValue& v, TLoadContext& c) {
             static_cast<TComponent*>(o)->SetTag(static_cast<int>(IntegerOf(v, c)));
           },
           [](TObject* o) { return std::to_string(static_cast<TComponent*>(o)->Tag()); }});
    t.Add({"Left", IgnoreDesignPosition, nullptr});
    t.Add({"Top", IgnoreDesignPosition, nullptr});
    return t;
  }();
  return table;
}

const TPropTable& ControlProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ComponentProperties());
    TPublisher<TControl> p(t);
    p.Integer("Left", [](TControl* c) { return c->Left(); }, [](TControl* c, long long v) { c->SetLeft(int(v)); })
        .Integer("Top", [](TControl* c) { return c->Top(); }, [](TControl* c, long long v) { c->SetTop(int(v)); })
        .Integer("Width", [](TControl* c) { return c->Width(); }, [](TControl* c, long long v) { c->SetWidth(int(v)); })
        .Integer("Height", [](TControl* c) { return c->Height(); },
                 [](TControl* c, long long v) { c->SetHeight(int(v)); });
    return t;
  }();
  return table;
}

const TPropInfo* StandardProperty(const std::string& name) {
  static const TPropTable table = [] {
    TPropTable t;
    TPublisher<TControl> p(t);
    p.Enum("Align", AlignNames(), [](TControl* c) { return int(c->Align()); },
           [](TControl* c, int v) { c->SetAlign(TAlign(v)); })
        .Set("Anchors", AnchorNames(), [](TControl* c) { return c->Anchors().bits(); },
             [](TControl* c, uint32_t v) { c->SetAnchors(TAnchors::FromBits(v)); })
        .Bool("AutoSize", [](TControl* c) { return c->AutoSize(); }, [](TControl* c, bool v) { c->SetAutoSize(v); })
        .String("Caption", [](TControl* c) { return c->Caption(); },
                [](TControl* c, const std::string& v) { c->SetCaption(v); })
        .Color("Color", [](TControl* c) { return c->Color(); }, [](TControl* c, TColor v) { c->SetColor(v); })
        .Integer("Constraints.MinWidth", [](TControl* c) { return c->Constraints()->MinWidth(); },
                 [](TControl* c, long long v) { c->Constraints()->SetMinWidth(int(v)); })
        .Integer("Constraints.MinHeight", [](TControl* c) { return c->Constraints()->MinHeight(); },
                 [](TControl* c, long long v) { c->Constraints()->SetMinHeight(int(v)); })
        .Integer("Constraints.MaxWidth", [](TControl* c) { return c->Constraints()->MaxWidth(); },
                 [](TControl* c, long long v) { c->Constraints()->SetMaxWidth(int(v)); })
        .Integer("Constraints.MaxHeight", [](TControl* c) { return c->Constraints()->MaxHeight(); },
                 [](TControl* c, long long v) { c->Constraints()->SetMaxHeight(int(v)); })
        .Bool("Enabled", [](TControl* c) { return c->Enabled(); }, [](TControl* c, bool v) { c->SetEnabled(v); })
        .Enum("Font.Charset", CharsetNames(), [](TControl* c) { return int(c->Font()->Charset()); },
              [](TControl* c, int v) { c->Font()->SetCharset(TFontCharset(v)); })
        .Color("Font.Color", [](TControl* c) { return c->Font()->Color(); },
               [](TControl* c, TColor v) { c->Font()->SetColor(v); })
        .Integer("Font.Height", [](TControl* c) { return c->Font()->Height(); },
                 [](TControl* c, long long v) { c->Font()->SetHeight(int(v)); })
        .Integer("Font.Size", [](TControl* c) { return c->Font()->Size(); },
                 [](TControl* c, long long v) { c->Font()->SetSize(int(v)); })
        .String("Font.Name", [](TControl* c) { return c->Font()->Name(); },
                [](TControl* c, const std::string& v) { c->Font()->SetName(v); })
        .Set("Font.Style", FontStyleNames(), [](TControl* c) { return c->Font()->Style().bits(); },
             [](TControl* c, uint32_t v) { c->Font()->SetStyle(TFontStyles::FromBits(v)); })
        .String("Hint", [](TControl* c) { return c->Hint(); }, [](TControl* c, const std::string& v) { c->SetHint(v); })
        .Bool("ParentColor", [](TControl* c) { return c->ParentColor(); },
              [](TControl* c, bool v) { c->SetParentColor(v); })
        .Bool("ParentFont", [](TControl* c) { return c->ParentFont(); }, [](TControl* c, bool v) { c->SetParentFont(v); })
        .Bool("ParentShowHint", [](TControl* c) { return c->ParentShowHint(); },
              [](TControl* c, bool v) { c->SetParentShowHint(v); })
        .Reference<TComponent>("PopupMenu", [](TControl* c) { return c->PopupMenu(); },
                               [](TControl* c, TComponent* m) { c->SetPopupMenu(m); })
        .Bool("ShowHint", [](TControl* c) { return c->ShowHint(); }, [](TControl* c, bool v) { c->SetShowHint(v); })
        .Bool("Visible", [](TControl* c) { return c->Visible(); }, [](TControl* c, bool v) { c->SetVisible(v); })
        .Ignored("BiDiMode")
        .Ignored("ParentBiDiMode")
        .Ignored("Ctl3D")
        .Ignored("ParentCtl3D")
        .Ignored("DragCursor")
        .Ignored("DragKind")
        .Ignored("DragMode")
        .Event<TNotifyEvent>("OnClick", [](TControl* c, TNotifyEvent e) { c->SetOnClick(e); })
        .Event<TNotifyEvent>("OnDblClick", [](TControl* c, TNotifyEvent e) { c->SetOnDblClick(e); })
        .Event<TMouseEvent>("OnMouseDown", [](TControl* c, TMouseEvent e) { c->SetOnMouseDown(e); })
        .Event<TMouseMoveEvent>("OnMouseMove", [](TControl* c, TMouseMoveEvent e) { c->SetOnMouseMove(e); })
        .Event<TMouseEvent>("OnMouseUp", [](TControl* c, TMouseEvent e) { c->SetOnMouseUp(e); })
        .Event<TNotifyEvent>("OnResize", [](TControl* c, TNotifyEvent e) { c->SetOnResize(e); })
        .Event<TCanResizeEvent>("OnCanResize", [](TControl* c, TCanResizeEvent e) { c->SetOnCanResize(e); })
        .Ignored("OnConstrainedResize");
    // Properties of windowed controls.
    auto win = [&t](const char* prop, TPropSetter set, TPropGetter get) {
      t.Add({prop, [prop, set](TObject* o, const TValue& v, TLoadContext& c) { set(As<TWinControl>(o, v, c, prop), v, c); },
             std::move(get)});
    };
    win("TabOrder", [](TObject* o, const TValue& v, TLoadContext& c) {
          static_cast<TWinControl*>(o)->SetTabOrder(int(IntegerOf(v, c)));
        },
        [](TObject* o) { return std::to_string(static_cast<TWinControl*>(o)->TabOrder()); });
    win("TabStop", [](TObject* o, const TValue& v, TLoadContext& c) {
          static_cast<TWinControl*>(o)->SetTabStop(BoolOf(v, c));
        },
        [](TObject* o) { return BoolText(static_cast<TWinControl*>(o)->TabStop()); });
    win("BorderWidth", [](TObject* o, const TValue& v, TLoadContext& c) {
          static_cast<TWinControl*>(o)->SetBorderWidth(int(IntegerOf(v, c)));
        },
        [](TObject* o) { return std::to_string(static_cast<TWinControl*>(o)->BorderWidth()); });
    win("FullRepaint", [](TObject* o, const TValue& v, TLoadContext& c) {
          static_cast<TWinControl*>(o)->SetFullRepaint(BoolOf(v, c));
        },
        [](TObject* o) { return BoolText(static_cast<TWinControl*>(o)->FullRepaint()); });
    win("OnEnter", [](TObject* o, const TValue& v, TLoadContext& c) {
          static_cast<TWinControl*>(o)->SetOnEnter(HandlerOf<TNotifyEvent>(v, c));
        },
        nullptr);
    win("OnExit", [](TObject* o, const TValue& v, TLoadContext& c) {
          static_cast<TWinControl*>(o)->SetOnExit(HandlerOf<TNotifyEvent>(v, c));
        },
        nullptr);
    return t;
  }();
  for (const TPropInfo& p : table.Own())
    if (SameText(p.Name, name)) return &p;
  return nullptr;
}

// --- registry ----------------------------------------------------------------

namespace {
std::map<std::string, TRegisteredClass>& Registry() {
  static std::map<std::string, TRegisteredClass> registry;
  return registry;
}
std::string Lower(const std::string& s) {
  std::string l = s;
  for (char& ch : l) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return l;
}
}  // namespace

void RegisterComponentClass(const TClassInfo* cls, TComponentFactory create, const TPropTable* properties) {
  Registry()[Lower(cls->Name)] = {cls, std::move(create), properties};
}

const TRegisteredClass* FindRegisteredClass(const std::string& name) {
  auto it = Registry().find(Lower(name));
  return it == Registry().end() ? nullptr : &it->second;
}

const TPropTable* PropertiesOf(const TObject* object) {
  for (const TClassInfo* c = object->ClassType(); c; c = c->Parent)
    if (const TRegisteredClass* r = FindRegisteredClass(c->Name)) return r->Properties;
  return nullptr;
}

namespace {

const TPropTable& MenuItemProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ComponentProperties());
    TPublisher<TMenuItem> p(t);
    p.String("Caption", [](TMenuItem* i) { return i->Caption(); },
             [](TMenuItem* i, const std::string& v) { i->SetCaption(v); })
        .Bool("Checked", [](TMenuItem* i) { return i->Checked(); }, [](TMenuItem* i, bool v) { i->SetChecked(v); })
        .Bool("Enabled", [](TMenuItem* i) { return i->Enabled(); }, [](TMenuItem* i, bool v) { i->SetEnabled(v); })
        .String("Hint", [](TMenuItem* i) { return i->Hint(); }, [](TMenuItem* i, const std::string& v) { i->SetHint(v); })
        .Bool("Visible", [](TMenuItem* i) { return i->Visible(); }, [](TMenuItem* i, bool v) { i->SetVisible(v); })
        .Ignored("GroupIndex")
        .Ignored("RadioItem")
        .Ignored("ShortCut")
        .Event<TNotifyEvent>("OnClick", [](TMenuItem* i, TNotifyEvent e) { i->SetOnClick(e); });
    return t;
  }();
  return table;
}

const TPropTable& MainMenuProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ComponentProperties());
    TPublisher<TMainMenu>(t).Ignored("AutoHotkeys").Ignored("AutoMerge");
    return t;
  }();
  return table;
}

}  // namespace

const TPropTable& FormProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TCustomForm> p(t);
    p.Integer("ClientWidth", [](TCustomForm* f) { return f->ClientWidth(); },
              [](TCustomForm* f, long long v) { f->SetClientWidth(int(v)); })
        .Integer("ClientHeight", [](TCustomForm* f) { return f->ClientHeight(); },
                 [](TCustomForm* f, long long v) { f->SetClientHeight(int(v)); })
        .Standard({"Align", "Anchors", "AutoSize", "Caption", "Color", "Constraints.MinWidth", "Constraints.MinHeight",
                   "Constraints.MaxWidth", "Constraints.MaxHeight", "Enabled", "Font.Charset", "Font.Color",
                   "Font.Height", "Font.Name", "Font.Size", "Font.Style", "Hint", "ParentFont", "ShowHint", "Visible",
                   "Ctl3D", "BiDiMode", "ParentBiDiMode"})
        .Enum("BorderStyle", BorderStyleNames(), [](TCustomForm* f) { return int(f->BorderStyle()); },
              [](TCustomForm* f, int v) { f->SetBorderStyle(TFormBorderStyle(v)); })
        .Set("BorderIcons", BorderIconNames(), [](TCustomForm* f) { return f->BorderIcons().bits(); },
             [](TCustomForm* f, uint32_t v) { f->SetBorderIcons(TBorderIcons::FromBits(v)); })
        .Enum("FormStyle", FormStyleNames(), [](TCustomForm* f) { return int(f->FormStyle()); },
              [](TCustomForm* f, int v) { f->SetFormStyle(TFormStyle(v)); })
        .Enum("Position", PositionNames(), [](TCustomForm* f) { return int(f->Position()); },
              [](TCustomForm* f, int v) { f->SetPosition(TPosition(v)); })
        .Enum("WindowState", WindowStateNames(), [](TCustomForm* f) { return int(f->WindowState()); },
              [](TCustomForm* f, int v) { f->SetWindowState(TWindowState(v)); })
        .Reference<TMainMenu>("Menu", [](TCustomForm* f) { return f->Menu(); },
                              [](TCustomForm* f, TMainMenu* m) { f->SetMenu(m); })
        .Bool("AutoScroll", [](TCustomForm* f) { return f->AutoScroll(); },
              [](TCustomForm* f, bool v) { f->SetAutoScroll(v); })
        .Bool("KeyPreview", [](TCustomForm* f) { return f->KeyPreview(); },
              [](TCustomForm* f, bool v) { f->SetKeyPreview(v); })
        .Integer("PixelsPerInch", [](TCustomForm* f) { return f->PixelsPerInchValue(); },
                 [](TCustomForm* f, long long v) { f->SetPixelsPerInch(int(v)); })
        .Integer("TextHeight", [](TCustomForm* f) { return f->TextHeight(); },
                 [](TCustomForm* f, long long v) { f->SetTextHeight(int(v)); })
        .Ignored("OldCreateOrder")
        .Ignored("Scaled")
        .Event<TNotifyEvent>("OnActivate", [](TCustomForm* f, TNotifyEvent e) { f->SetOnActivate(e); })
        .Event<TNotifyEvent>("OnClick", [](TCustomForm* f, TNotifyEvent e) { f->SetOnClick(e); })
        .Event<TCloseEvent>("OnClose", [](TCustomForm* f, TCloseEvent e) { f->SetOnClose(e); })
        .Event<TCloseQueryEvent>("OnCloseQuery", [](TCustomForm* f, TCloseQueryEvent e) { f->SetOnCloseQuery(e); })
        .Event<TNotifyEvent>("OnCreate", [](TCustomForm* f, TNotifyEvent e) { f->SetOnCreate(e); })
        .Event<TNotifyEvent>("OnDeactivate", [](TCustomForm* f, TNotifyEvent e) { f->SetOnDeactivate(e); })
        .Event<TNotifyEvent>("OnDestroy", [](TCustomForm* f, TNotifyEvent e) { f->SetOnDestroy(e); })
        .Event<TNotifyEvent>("OnHide", [](TCustomForm* f, TNotifyEvent e) { f->SetOnHide(e); })
        .Event<TNotifyEvent>("OnResize", [](TCustomForm* f, TNotifyEvent e) { f->SetOnResize(e); })
        .Event<TNotifyEvent>("OnShow", [](TCustomForm* f, TNotifyEvent e) { f->SetOnShow(e); });
    return t;
  }();
  return table;
}

void RegisterPlatformClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterComponentClass(
      TMainMenu::StaticClass(), [](TComponent* o) { return new TMainMenu(o); }, &MainMenuProperties());
  RegisterComponentClass(
      TMenuItem::StaticClass(), [](TComponent* o) { return new TMenuItem(o); }, &MenuItemProperties());
  RegisterComponentClass(
      TForm::StaticClass(), [](TComponent* o) { return new TForm(o); }, &FormProperties());
  RegisterStandardControls();
}
