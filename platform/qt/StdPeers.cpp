#include "qt/StdPeers.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOption>
#include <qdrawutil.h>

#include "ComCtrls.h"
#include "Guard.h"
#include "qt/Peers.h"
#include "qt/QtBridge.h"

void SetPeerColors(QWidget* peer, TColor background, QPalette::ColorRole backgroundRole, TColor text,
                   QPalette::ColorRole textRole, bool fill) {
  QPalette pal = peer->palette();
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(g, backgroundRole, ToQColor(background));
    pal.setColor(g, textRole, ToQColor(text));
  }
  pal.setColor(QPalette::Disabled, backgroundRole, ToQColor(background));
  if (pal != peer->palette()) peer->setPalette(pal);
  peer->setAutoFillBackground(fill);
}

void SetPeerFocusPolicy(QWidget* peer, bool tabStop) {
  peer->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

namespace {

void ConnectClicked(QAbstractButton* button) {
  QObject::connect(button, &QAbstractButton::clicked, button, [button] {
    if (auto* c = dynamic_cast<TButtonControl*>(ControlOf(button))) Guarded([c] { c->PeerClicked(); });
  });
}

// Keys a button leaves to the model. Enter goes on to the form, which
// offers it to its buttons; arrows move the focus the classic way.
bool ButtonKey(QWidget* button, QKeyEvent* e) {
  const bool plain = !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      e->ignore();
      return true;
    case Qt::Key_Up:
    case Qt::Key_Left:
    case Qt::Key_Down:
    case Qt::Key_Right: {
      if (!plain) return false;
      const bool forward = e->key() == Qt::Key_Down || e->key() == Qt::Key_Right;
      if (auto* c = dynamic_cast<TButtonControl*>(ControlOf(button))) Guarded([c, forward] { c->PeerArrowKey(forward); });
      e->accept();
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

// ---------------------------------------------------------------------------

TButtonPeer::TButtonPeer(TButtonControl* control, QWidget* parent) : TAcceptingPeer<QPushButton>(parent) {
  AttachPeer(this, control);
  setAutoDefault(false);
  ConnectClicked(this);
}

void TButtonPeer::keyPressEvent(QKeyEvent* e) {
  if (!ButtonKey(this, e)) QPushButton::keyPressEvent(e);
}

TCheckBoxPeer::TCheckBoxPeer(TButtonControl* control, QWidget* parent) : TAcceptingPeer<QCheckBox>(parent) {
  AttachPeer(this, control);
  ConnectClicked(this);
}

void TCheckBoxPeer::keyPressEvent(QKeyEvent* e) {
  if (!ButtonKey(this, e)) QCheckBox::keyPressEvent(e);
}

TRadioButtonPeer::TRadioButtonPeer(TButtonControl* control, QWidget* parent)
    : TAcceptingPeer<QRadioButton>(parent) {
  AttachPeer(this, control);
  // The model unchecks the siblings.
  setAutoExclusive(false);
  ConnectClicked(this);
}

void TRadioButtonPeer::keyPressEvent(QKeyEvent* e) {
  if (!ButtonKey(this, e)) QRadioButton::keyPressEvent(e);
}

// ---------------------------------------------------------------------------

TMemoPeer::TMemoPeer(TCustomMemo* control, QWidget* parent) : QPlainTextEdit(parent) {
  AttachPeer(this, control);
  viewport()->setMouseTracking(true);
  connect(this, &QPlainTextEdit::textChanged, this, [this] {
    if (FShowing) return;
    if (auto* c = dynamic_cast<TCustomMemo*>(ControlOf(this))) {
      const std::string text = StdStr(toPlainText());
      Guarded([c, &text] { c->PeerTextChanged(text); });
    }
  });
}

void TMemoPeer::ShowText(const QString& text) {
  FShowing = true;
  setPlainText(text);
  FShowing = false;
}

void TMemoPeer::keyPressEvent(QKeyEvent* e) {
  const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
  auto* c = dynamic_cast<TCustomMemo*>(ControlOf(this));
  // Without WantReturns, Enter belongs to the form's default button.
  if (enter && c && !c->WantReturns()) {
    e->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(e);
}

void TMemoPeer::Forward(QMouseEvent* e) {
  TWinControl* c = ControlOf(this);
  UINT msg;
  WPARAM keys;
  if (!c || !MouseMessageOf(e, msg, keys)) return;
  const QPoint pos = viewport()->mapTo(this, e->position().toPoint());
  Guarded([&] { c->PeerMouse(msg, keys, pos.x(), pos.y()); });
}

void TMemoPeer::mousePressEvent(QMouseEvent* e) {
  Forward(e);
  QPlainTextEdit::mousePressEvent(e);
}
void TMemoPeer::mouseReleaseEvent(QMouseEvent* e) {
  Forward(e);
  QPlainTextEdit::mouseReleaseEvent(e);
}
void TMemoPeer::mouseDoubleClickEvent(QMouseEvent* e) {
  Forward(e);
  QPlainTextEdit::mouseDoubleClickEvent(e);
}
void TMemoPeer::mouseMoveEvent(QMouseEvent* e) {
  Forward(e);
  QPlainTextEdit::mouseMoveEvent(e);
}

// ---------------------------------------------------------------------------

TGroupBoxPeer::TGroupBoxPeer(TWinControl* control, QWidget* parent) : TAcceptingPeer<QGroupBox>(parent) {
  AttachPeer(this, control);
}

void TGroupBoxPeer::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QFontMetrics fm(font());
  const QColor face = palette().color(QPalette::Window);
  // The outline of the style's group frames, one pixel wide with rounded corners.
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(face.darker(111));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, fm.height() / 2 + 0.5, -0.5, -0.5), 2, 2);
  p.setRenderHint(QPainter::Antialiasing, false);
  if (title().isEmpty()) return;
  QString plain = title();
  plain.remove(QRegularExpression(QStringLiteral("&(?!&)"))).replace(QLatin1String("&&"), QLatin1String("&"));
  const QRect text(8, 0, std::min(width() - 10, fm.horizontalAdvance(plain) + 4), fm.height());
  p.fillRect(text, face);
  style()->drawItemText(&p, text.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic,
                        palette(), isEnabled(), title(), QPalette::WindowText);
}

// ---------------------------------------------------------------------------

TStatusBarPeer::TStatusBarPeer(TStatusBar* control, QWidget* parent)
    : TAcceptingPeer<QWidget>(parent), FGrip(new QSizeGrip(this)) {
  AttachPeer(this, control);
  setFocusPolicy(Qt::NoFocus);
  FGrip->hide();
}

void TStatusBarPeer::SetGripVisible(bool visible) {
  FGrip->setVisible(visible);
  PlaceGrip();
}

void TStatusBarPeer::PlaceGrip() {
  const QSize s = FGrip->sizeHint();
  FGrip->setGeometry(width() - s.width(), height() - s.height(), s.width(), s.height());
}

void TStatusBarPeer::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  PlaceGrip();
}

void TStatusBarPeer::paintEvent(QPaintEvent*) {
  auto* bar = dynamic_cast<TStatusBar*>(ControlOf(this));
  if (!bar) return;
  QPainter p(this);
  p.fillRect(rect(), ToQColor(bar->Color()));
  p.setFont(ToQFont(*bar->Font()));
  p.setPen(ToQColor(bar->Font()->Color()));
  const int gripWidth = FGrip->isVisible() ? FGrip->width() : 0;
  // Panels stand two pixels below the top edge with two between them; the
  // last one reaches the right edge.
  auto text = [&](const QRect& r, const std::string& s, TAlignment a) {
    const int align = (a == taCenter ? Qt::AlignHCenter : a == taRightJustify ? Qt::AlignRight : Qt::AlignLeft);
    p.drawText(r.adjusted(3, 0, -3, 0), align | Qt::AlignVCenter | Qt::TextSingleLine, QCaption(s));
  };
  if (bar->SimplePanel()) {
    const QRect r(0, 2, width() - gripWidth, height() - 2);
    text(r, bar->SimpleText(), taLeftJustify);
    return;
  }
  TStatusPanels* panels = bar->Panels();
  int left = 0;
  for (int i = 0; i < panels->Count(); ++i) {
    TStatusPanel* panel = panels->Items(i);
    const bool last = i == panels->Count() - 1;
    const int right = last ? width() : left + panel->Width();
    const QRect r(left, 2, std::max(0, right - left - (last ? 0 : 2)), height() - 2);
    if (panel->Bevel() != pbNone)
      qDrawShadePanel(&p, r, palette(), panel->Bevel() == pbLowered, 1);
    text(last ? r.adjusted(0, 0, -gripWidth, 0) : r, panel->Text(), panel->Alignment());
    left = right;
    if (left >= width()) break;
  }
}
