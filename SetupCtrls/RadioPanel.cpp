#include "RadioPanel.h"

#include "Published.h"

TRadioPanel::TRadioPanel(TComponent* owner) : TCustomPanel(owner) {
  SetAnchors({akLeft, akTop});
  FFinalAnchors = {akLeft, akTop};
  FInPopup = false;
  // Naming the panel leaves its caption empty.
  SetControlStyle(ControlStyle() - csSetCaption);
  FRadioEnabled = false;
  SetBevelOuter(bvNone);
  SetHeight(100);
  SetWidth(194);
  FLines = std::make_unique<TStringList>();
  FMemoHeight = 58;
  SetVisible(false);
}

TRadioPanel::~TRadioPanel() { FLines.reset(); }

void TRadioPanel::SetLines(TStrings* value) { FLines->Assign(value); }

void TRadioPanel::SetFinalAnchors(TAnchors value) {
  FFinalAnchors = value;
  if (FInPopup) SetAnchors(value);
}

const TPropTable& RadioPanelProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TRadioPanel> p(t);
    p.Bool("RadioEnabled", [](TRadioPanel* r) { return r->RadioEnabled(); },
           [](TRadioPanel* r, bool v) { r->SetRadioEnabled(v); })
        .Strings("Lines", [](TRadioPanel* r) { return r->Lines(); },
                 [](TRadioPanel* r, const std::vector<std::string>& v) {
                   TStringList lines;
                   lines.SetStrings(v);
                   r->SetLines(&lines);
                 })
        .Integer("MemoHeight", [](TRadioPanel* r) { return r->MemoHeight(); },
                 [](TRadioPanel* r, long long v) { r->SetMemoHeight(int(v)); })
        .Standard({"Align"})
        .Set("FinalAnchors", AnchorNames(), [](TRadioPanel* r) { return r->FinalAnchors().bits(); },
             [](TRadioPanel* r, uint32_t v) { r->SetFinalAnchors(TAnchors::FromBits(v)); })
        .Enum("BevelInner", BevelCutNames(), [](TRadioPanel* r) { return int(r->BevelInner()); },
              [](TRadioPanel* r, int v) { r->SetBevelInner(TBevelCut(v)); })
        .Enum("BevelOuter", BevelCutNames(), [](TRadioPanel* r) { return int(r->BevelOuter()); },
              [](TRadioPanel* r, int v) { r->SetBevelOuter(TBevelCut(v)); })
        .Integer("BevelWidth", [](TRadioPanel* r) { return r->BevelWidth(); },
                 [](TRadioPanel* r, long long v) { r->SetBevelWidth(int(v)); })
        .Standard({"BiDiMode", "BorderWidth"})
        .Enum("BorderStyle", PanelBorderStyleNames(), [](TRadioPanel* r) { return int(r->BorderStyle()); },
              [](TRadioPanel* r, int v) { r->SetBorderStyle(TBorderStyle(v)); })
        .Standard({"Color", "Constraints.MinWidth", "Constraints.MinHeight", "Constraints.MaxWidth",
                   "Constraints.MaxHeight", "Ctl3D", "Enabled", "FullRepaint", "ParentBiDiMode", "ParentColor",
                   "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop",
                   "Visible"})
        .Event<TRadioPanelChangeEvent>("OnRadioChange",
                                       [](TRadioPanel* r, TRadioPanelChangeEvent e) { r->SetOnRadioChange(e); })
        .Event<TNotifyEvent>("OnActivate", [](TRadioPanel* r, TNotifyEvent e) { r->SetOnActivate(e); })
        .Event<TNotifyEvent>("OnDeactivate", [](TRadioPanel* r, TNotifyEvent e) { r->SetOnDeactivate(e); })
        .Standard({"OnCanResize", "OnClick", "OnConstrainedResize", "OnDblClick", "OnEnter", "OnExit", "OnMouseDown",
                   "OnMouseMove", "OnMouseUp", "OnResize"});
    return t;
  }();
  return table;
}
