#pragma once
// Conversions between the component library's values and Qt's. Only the
// platform includes this header.

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include "Graphics.h"

QRgb ToQRgb(TColor color);
inline QColor ToQColor(TColor color) { return QColor::fromRgb(ToQRgb(color)); }
inline TColor FromQRgb(QRgb rgb) { return RGB(qRed(rgb), qGreen(rgb), qBlue(rgb)); }

// The installed face that stands in for a classic face name.
QString SubstituteFace(const std::string& name);
QFont ToQFont(const TFont& font);

inline QString QStr(const std::string& s) { return QString::fromStdString(s); }
inline std::string StdStr(const QString& s) { return s.toStdString(); }
// Captions keep CR LF line breaks; Qt wants LF.
QString QCaption(const std::string& s);

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) { return Bounds(r.x(), r.y(), r.width(), r.height()); }
