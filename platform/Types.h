#pragma once
// Small value types shared by the whole component library.

#include <cstdint>
#include <initializer_list>

struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// Classic rectangle: columns Left..Right-1 and rows Top..Bottom-1.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
  TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
  TRect Intersect(const TRect& o) const;
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return {left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}
inline TPoint Point(int x, int y) { return {x, y}; }

inline TRect TRect::Intersect(const TRect& o) const {
  TRect r{Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top,
          Right < o.Right ? Right : o.Right, Bottom < o.Bottom ? Bottom : o.Bottom};
  if (r.IsEmpty()) return {};
  return r;
}

// A set of up to 32 enumeration values, the classic "set of" type.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) FBits |= Bit(e);
  }
  static constexpr TSet FromBits(uint32_t bits) {
    TSet s;
    s.FBits = bits;
    return s;
  }

  constexpr bool contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr TSet& insert(E e) {
    FBits |= Bit(e);
    return *this;
  }
  constexpr TSet& erase(E e) {
    FBits &= ~Bit(e);
    return *this;
  }
  constexpr bool empty() const { return FBits == 0; }
  constexpr uint32_t bits() const { return FBits; }

  constexpr TSet operator+(TSet o) const { return FromBits(FBits | o.FBits); }
  constexpr TSet operator-(TSet o) const { return FromBits(FBits & ~o.FBits); }
  constexpr TSet operator*(TSet o) const { return FromBits(FBits & o.FBits); }
  constexpr TSet operator+(E e) const { return FromBits(FBits | Bit(e)); }
  constexpr TSet operator-(E e) const { return FromBits(FBits & ~Bit(e)); }
  constexpr TSet& operator+=(TSet o) { FBits |= o.FBits; return *this; }
  constexpr TSet& operator-=(TSet o) { FBits &= ~o.FBits; return *this; }
  constexpr TSet& operator+=(E e) { return insert(e); }
  constexpr TSet& operator-=(E e) { return erase(e); }
  friend constexpr bool operator==(TSet a, TSet b) { return a.FBits == b.FBits; }

 private:
  static constexpr uint32_t Bit(E e) { return uint32_t{1} << static_cast<unsigned>(e); }
  uint32_t FBits = 0;
};
