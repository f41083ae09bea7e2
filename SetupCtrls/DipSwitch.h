#pragma once
// The drawing of one DIP switch: a black body with a row of levers, each at
// the ON end of its slot or at the other end, and "ON" on the ON side.

#include <cstdint>
#include <memory>
#include <string>

#include "Controls.h"
#include "Graphics.h"

enum TOrientationType { otUp, otDown, otLeft, otRight };

class TDipSwitch : public TGraphicControl {
  T_CLASS(TDipSwitch, TGraphicControl)
 public:
  explicit TDipSwitch(TComponent* owner);
  ~TDipSwitch() override;

  TColor SwitchColor() const { return FSwitchColor; }
  void SetSwitchColor(TColor color);
  TOrientationType Orientation() const { return FOrientation; }
  void SetOrientation(TOrientationType orientation);
  uint8_t NumSwitches() const { return FNumSwitches; }
  void SetNumSwitches(uint8_t count);
  // One '0' or '1' a lever, character 1 first and most significant.
  const std::string& BinaryValueStr() const { return FBinaryValueStr; }
  void SetBinaryValueStr(const std::string& value);
  uint32_t Value() const { return FValue; }
  void SetValue(uint32_t value);

  void Paint() override;

  // The lever counts that the drawing can show: Value has 32 bits.
  static constexpr uint8_t MaxSwitches = 32;

  // For tests: the state the drawing keeps between paints.
  bool TurnPending() const { return FTurnPending; }
  bool Painted() const { return FPainted; }
  const TBitmap& DrawBitmap() const { return *FDrawBitmap; }
  const TBitmap& TurnedBitmap() const { return *FTurnedBitmap; }

 private:
  void DrawUpright(int u, int v);
  void Turn(int u, int v);

  TColor FSwitchColor = 0xFFFFFF;
  TOrientationType FOrientation = otUp;
  uint8_t FNumSwitches = 3;
  std::string FBinaryValueStr = "000";
  uint32_t FValue = 0;
  std::unique_ptr<TBitmap> FDrawBitmap;
  std::unique_ptr<TBitmap> FTurnedBitmap;
  bool FTurnPending = false;
  bool FPainted = false;
};
