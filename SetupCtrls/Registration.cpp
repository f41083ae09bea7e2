#include "Registration.h"

#include "BoardHighlight.h"
#include "BoardImage.h"
#include "DipSwitch.h"
#include "Published.h"
#include "RadioPanel.h"

namespace {

const TEnumNames& OrientationNames() {
  static const TEnumNames n{{"otUp", "otDown", "otLeft", "otRight"}};
  return n;
}

const TEnumNames& HighlightTypeNames() {
  static const TEnumNames n{{"htOptions", "htSettings", "htCalibration"}};
  return n;
}

const TPropTable& DipSwitchProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TDipSwitch>(t)
        .Color("SwitchColor", [](TDipSwitch* d) { return d->SwitchColor(); },
               [](TDipSwitch* d, TColor c) { d->SetSwitchColor(c); })
        .Enum("Orientation", OrientationNames(), [](TDipSwitch* d) { return int(d->Orientation()); },
              [](TDipSwitch* d, int v) { d->SetOrientation(TOrientationType(v)); })
        .Integer("NumSwitches", [](TDipSwitch* d) { return d->NumSwitches(); },
                 [](TDipSwitch* d, long long v) {
                   if (v < 0 || v > 255) throw EReadError("NumSwitches must lie between 0 and 255");
                   d->SetNumSwitches(static_cast<uint8_t>(v));
                 })
        .String("BinaryValueStr", [](TDipSwitch* d) { return d->BinaryValueStr(); },
                [](TDipSwitch* d, const std::string& s) { d->SetBinaryValueStr(s); })
        .Integer("Value", [](TDipSwitch* d) { return d->Value(); },
                 [](TDipSwitch* d, long long v) {
                   if (v < 0 || v > 0xFFFFFFFFLL) throw EReadError("Value must be a 32-bit unsigned number");
                   d->SetValue(static_cast<uint32_t>(v));
                 })
        .Standard({"Align", "Anchors", "Enabled", "Constraints.MinWidth", "Constraints.MinHeight",
                   "Constraints.MaxWidth", "Constraints.MaxHeight", "ParentShowHint", "ShowHint", "Visible",
                   "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& BoardImageProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TBoardImage>(t)
        .Reference<TBoardHighlight>("First", [](TBoardImage* b) { return b->First(); },
                                    [](TBoardImage* b, TBoardHighlight* h) { b->SetFirst(h); })
        .Reference<TMainMenu>("Menu", [](TBoardImage* b) { return b->Menu(); },
                              [](TBoardImage* b, TMainMenu* m) { b->SetMenu(m); })
        .Bool("CenterOnForm", [](TBoardImage* b) { return b->CenterOnForm(); },
              [](TBoardImage* b, bool v) { b->SetCenterOnForm(v); })
        .Bool("Scale", [](TBoardImage* b) { return b->Scale(); }, [](TBoardImage* b, bool v) { b->SetScale(v); })
        .Standard({"Align", "Anchors", "AutoSize"})
        .Bool("Center", [](TBoardImage* b) { return b->Center(); }, [](TBoardImage* b, bool v) { b->SetCenter(v); })
        .Standard({"Constraints.MinWidth", "Constraints.MinHeight", "Constraints.MaxWidth", "Constraints.MaxHeight",
                   "Enabled", "ParentShowHint"});
    t.Add({"Picture",
           [](TObject* o, const TValue& v, TLoadContext& c) {
             LoadPictureValue(static_cast<TBoardImage*>(o)->Picture(), v, c);
           },
           nullptr});
    TPublisher<TBoardImage>(t)
        .Standard({"PopupMenu", "ShowHint"})
        .Bool("Stretch", [](TBoardImage* b) { return b->Stretch(); }, [](TBoardImage* b, bool v) { b->SetStretch(v); })
        .Bool("Transparent", [](TBoardImage* b) { return b->Transparent(); },
              [](TBoardImage* b, bool v) { b->SetTransparent(v); })
        .Standard({"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

const TPropTable& BoardHighlightProperties() {
  static const TPropTable table = [] {
    TPropTable t(&ControlProperties());
    TPublisher<TBoardHighlight>(t)
        .Bool("CreatePopup", [](TBoardHighlight* h) { return h->CreatePopup(); },
              [](TBoardHighlight* h, bool v) { h->SetCreatePopup(v); })
        .Enum("HighlightType", HighlightTypeNames(), [](TBoardHighlight* h) { return int(h->HighlightType()); },
              [](TBoardHighlight* h, int v) { h->SetHighlightType(THighlightType(v)); })
        .Reference<TRadioPanel>("RadioPanel", [](TBoardHighlight* h) { return h->RadioPanel(); },
                                [](TBoardHighlight* h, TRadioPanel* p) { h->SetRadioPanel(p); })
        .String("Title", [](TBoardHighlight* h) { return h->Title(); },
                [](TBoardHighlight* h, const std::string& s) { h->SetTitle(s); })
        .Standard({"Align", "Anchors", "Enabled", "Constraints.MinWidth", "Constraints.MinHeight",
                   "Constraints.MaxWidth", "Constraints.MaxHeight", "ParentShowHint", "ShowHint", "Visible", "OnClick",
                   "OnMouseDown", "OnMouseMove", "OnMouseUp"});
    return t;
  }();
  return table;
}

}  // namespace

void RegisterSetupControls() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPlatformClasses();
  RegisterComponentClass(
      TDipSwitch::StaticClass(), [](TComponent* o) { return new TDipSwitch(o); }, &DipSwitchProperties());
  RegisterComponentClass(
      TRadioPanel::StaticClass(), [](TComponent* o) { return new TRadioPanel(o); }, &RadioPanelProperties());
  RegisterComponentClass(
      TBoardImage::StaticClass(), [](TComponent* o) { return new TBoardImage(o); }, &BoardImageProperties());
  RegisterComponentClass(
      TBoardHighlight::StaticClass(), [](TComponent* o) { return new TBoardHighlight(o); },
      &BoardHighlightProperties());
}
