#include "StdRegistration.h"

#include "ComCtrls.h"
#include "ExtCtrls.h"
#include "Published.h"
#include "StdCtrls.h"

namespace {

// The size limits, as stored.
constexpr std::initializer_list<const char*> kConstraints = {"Constraints.MinWidth", "Constraints.MinHeight",
                                                            "Constraints.MaxWidth", "Constraints.MaxHeight"};
constexpr std::initializer_list<const char*> kFont = {"Font.Charset", "Font.Color", "Font.Height",
                                                     "Font.Name",    "Font.Size",  "Font.Style"};
constexpr std::initializer_list<const char*> kDrag = {"DragCursor", "DragKind", "DragMode"};

const TPropTable& LabelProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TCustomLabel> p(t);
    p.Standard({"Align"})
        .Enum("Alignment", AlignmentNames(), [](TCustomLabel* l) { return int(l->Alignment()); },
              [](TCustomLabel* l, int v) { l->SetAlignment(TAlignment(v)); })
        .Standard({"Anchors", "AutoSize", "BiDiMode", "Caption", "Color"})
        .Standard(kConstraints)
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        .Enum("Layout", TextLayoutNames(), [](TCustomLabel* l) { return int(l->Layout()); },
              [](TCustomLabel* l, int v) { l->SetLayout(TTextLayout(v)); })
        .Standard({"ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu"})
        .Bool("ShowAccelChar", [](TCustomLabel* l) { return l->ShowAccelChar(); },
              [](TCustomLabel* l, bool v) { l->SetShowAccelChar(v); })
        .Standard({"ShowHint"})
        .Bool("Transparent", [](TCustomLabel* l) { return l->Transparent(); },
              [](TCustomLabel* l, bool v) { l->SetTransparent(v); })
        .Standard({"Visible"})
        .Bool("WordWrap", [](TCustomLabel* l) { return l->WordWrap(); },
              [](TCustomLabel* l, bool v) { l->SetWordWrap(v); })
        .Standard({"OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& ButtonProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TButton> p(t);
    p.Ignored("Action")
        .Standard({"Anchors", "BiDiMode"})
        .Bool("Cancel", [](TButton* b) { return b->Cancel(); }, [](TButton* b, bool v) { b->SetCancel(v); })
        .Standard({"Caption"})
        .Standard(kConstraints)
        .Bool("Default", [](TButton* b) { return b->Default(); }, [](TButton* b, bool v) { b->SetDefault(v); })
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        .Ignored("ModalResult")
        .Standard({"ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop",
                   "Visible", "OnClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& CheckBoxProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TCustomCheckBox> p(t);
    p.Ignored("Action")
        .Enum("Alignment", LeftRightNames(), [](TCustomCheckBox* c) { return int(c->Alignment()); },
              [](TCustomCheckBox* c, int v) { c->SetAlignment(TLeftRight(v)); })
        .Bool("AllowGrayed", [](TCustomCheckBox* c) { return c->AllowGrayed(); },
              [](TCustomCheckBox* c, bool v) { c->SetAllowGrayed(v); })
        .Standard({"Anchors", "BiDiMode", "Caption"})
        .Bool("Checked", [](TCustomCheckBox* c) { return c->Checked(); },
              [](TCustomCheckBox* c, bool v) { c->SetChecked(v); })
        .Standard({"Color"})
        .Standard(kConstraints)
        .Standard({"Ctl3D"})
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        .Standard({"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint"})
        .Enum("State", CheckBoxStateNames(), [](TCustomCheckBox* c) { return int(c->State()); },
              [](TCustomCheckBox* c, int v) { c->SetState(TCheckBoxState(v)); })
        .Standard({"TabOrder", "TabStop", "Visible", "OnClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove",
                   "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& RadioButtonProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TRadioButton> p(t);
    p.Ignored("Action")
        .Enum("Alignment", LeftRightNames(), [](TRadioButton* r) { return int(r->Alignment()); },
              [](TRadioButton* r, int v) { r->SetAlignment(TLeftRight(v)); })
        .Standard({"Anchors", "BiDiMode", "Caption"})
        .Bool("Checked", [](TRadioButton* r) { return r->Checked(); }, [](TRadioButton* r, bool v) { r->SetChecked(v); })
        .Standard({"Color"})
        .Standard(kConstraints)
        .Standard({"Ctl3D"})
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        .Standard({"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnDblClick", "OnEnter", "OnExit",
                   "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& MemoProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TCustomMemo> p(t);
    p.Standard({"Align", "Anchors", "BiDiMode", "Color"})
        .Standard(kConstraints)
        .Standard({"Ctl3D"})
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        .Strings("Lines", [](TCustomMemo* m) { return m->Lines(); },
                 [](TCustomMemo* m, const std::vector<std::string>& v) { m->Lines()->SetStrings(v); })
        .Standard({"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu"})
        .Bool("ReadOnly", [](TCustomMemo* m) { return m->ReadOnly(); }, [](TCustomMemo* m, bool v) { m->SetReadOnly(v); })
        .Enum("ScrollBars", ScrollStyleNames(), [](TCustomMemo* m) { return int(m->ScrollBars()); },
              [](TCustomMemo* m, int v) { m->SetScrollBars(TScrollStyle(v)); })
        .Standard({"ShowHint", "TabOrder", "TabStop", "Visible"})
        .Bool("WantReturns", [](TCustomMemo* m) { return m->WantReturns(); },
              [](TCustomMemo* m, bool v) { m->SetWantReturns(v); })
        .Bool("WantTabs", [](TCustomMemo* m) { return m->WantTabs(); }, [](TCustomMemo* m, bool v) { m->SetWantTabs(v); })
        .Bool("WordWrap", [](TCustomMemo* m) { return m->WordWrap(); }, [](TCustomMemo* m, bool v) { m->SetWordWrap(v); })
        .Event<TNotifyEvent>("OnChange", [](TCustomMemo* m, TNotifyEvent e) { m->SetOnChange(e); })
        .Standard({"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& GroupBoxProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TCustomGroupBox> p(t);
    p.Standard({"Align", "Anchors", "BiDiMode", "Caption", "Color"})
        .Standard(kConstraints)
        .Standard({"Ctl3D"})
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        .Standard({"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnDblClick", "OnEnter", "OnExit",
                   "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& PanelProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TCustomPanel> p(t);
    p.Standard({"Align"})
        .Enum("Alignment", AlignmentNames(), [](TCustomPanel* c) { return int(c->Alignment()); },
              [](TCustomPanel* c, int v) { c->SetAlignment(TAlignment(v)); })
        .Standard({"Anchors"})
        .Enum("BevelInner", BevelCutNames(), [](TCustomPanel* c) { return int(c->BevelInner()); },
              [](TCustomPanel* c, int v) { c->SetBevelInner(TBevelCut(v)); })
        .Enum("BevelOuter", BevelCutNames(), [](TCustomPanel* c) { return int(c->BevelOuter()); },
              [](TCustomPanel* c, int v) { c->SetBevelOuter(TBevelCut(v)); })
        .Integer("BevelWidth", [](TCustomPanel* c) { return c->BevelWidth(); },
                 [](TCustomPanel* c, long long v) { c->SetBevelWidth(int(v)); })
        .Standard({"BiDiMode", "BorderWidth"})
        .Enum("BorderStyle", PanelBorderStyleNames(), [](TCustomPanel* c) { return int(c->BorderStyle()); },
              [](TCustomPanel* c, int v) { c->SetBorderStyle(TBorderStyle(v)); })
        .Standard({"Caption", "Color"})
        .Standard(kConstraints)
        .Standard({"Ctl3D"})
        .Standard(kDrag)
        .Standard({"Enabled", "FullRepaint"})
        .Standard(kFont)
        .Standard({"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint", "TabOrder", "TabStop", "Visible", "OnCanResize", "OnClick", "OnConstrainedResize",
                   "OnDblClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
    return t;
  }();
  return table;
}

const TPropTable& RadioGroupProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TCustomRadioGroup> p(t);
    p.Standard({"Align", "Anchors", "BiDiMode", "Caption", "Color"})
        .Integer("Columns", [](TCustomRadioGroup* g) { return g->Columns(); },
                 [](TCustomRadioGroup* g, long long v) { g->SetColumns(int(v)); })
        .Standard({"Ctl3D"})
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        // Stored before the items: loading keeps the index until the items exist.
        .Integer("ItemIndex", [](TCustomRadioGroup* g) { return g->ItemIndex(); },
                 [](TCustomRadioGroup* g, long long v) { g->SetItemIndex(int(v)); })
        .Strings("Items", [](TCustomRadioGroup* g) { return g->Items(); },
                 [](TCustomRadioGroup* g, const std::vector<std::string>& v) { g->Items()->SetStrings(v); })
        .Standard(kConstraints)
        .Standard({"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                   "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnEnter", "OnExit"});
    return t;
  }();
  return table;
}

const TPropTable& StatusBarProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TStatusBar> p(t);
    p.Ignored("Action")
        .Standard({"Align", "Anchors"})
        .Ignored("AutoHint")
        .Standard({"BiDiMode", "BorderWidth", "Color"})
        .Standard(kDrag)
        .Standard({"Enabled"})
        .Standard(kFont)
        .Standard(kConstraints)
        .Standard({"ParentColor", "ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"})
        .Bool("SimplePanel", [](TStatusBar* s) { return s->SimplePanel(); },
              [](TStatusBar* s, bool v) { s->SetSimplePanel(v); })
        .String("SimpleText", [](TStatusBar* s) { return s->SimpleText(); },
                [](TStatusBar* s, const std::string& v) { s->SetSimpleText(v); })
        .Bool("SizeGrip", [](TStatusBar* s) { return s->SizeGrip(); }, [](TStatusBar* s, bool v) { s->SetSizeGrip(v); })
        .Ignored("UseSystemFont")
        .Standard({"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
    return t;
  }();
  return table;
}

template <class T>
void Register(const TPropTable& table) {
  RegisterComponentClass(
      T::StaticClass(), [](TComponent* owner) -> TComponent* { return new T(owner); }, &table);
}

}  // namespace

void RegisterStandardControls() {
  Register<TLabel>(LabelProperties());
  Register<TButton>(ButtonProperties());
  Register<TMemo>(MemoProperties());
  Register<TCheckBox>(CheckBoxProperties());
  Register<TRadioButton>(RadioButtonProperties());
  Register<TGroupBox>(GroupBoxProperties());
  Register<TPanel>(PanelProperties());
  Register<TRadioGroup>(RadioGroupProperties());
  Register<TStatusBar>(StatusBarProperties());
}
