#include "qt/MenuPeer.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "Guard.h"
#include "Menus.h"
#include "qt/QtBridge.h"

namespace {

const char* const kItemProperty = "tmenuitem";

TMenuItem* ItemOf(const QAction* action) {
  return reinterpret_cast<TMenuItem*>(action->property(kItemProperty).value<quintptr>());
}

void SyncItem(TMenuItem* item);

QAction* ActionFor(TMenuItem* item) {
  if (QAction* a = item->PeerAction()) return a;
  auto* action = new QAction(nullptr);
  action->setProperty(kItemProperty, QVariant::fromValue(reinterpret_cast<quintptr>(item)));
  QObject::connect(action, &QAction::triggered, action, [action]() {
    TMenuItem* target = ItemOf(action);
    if (!target) return;
    // The model decides the check mark, not Qt's toggle.
    Guarded([target] { target->Click(); });
    if (TMenuItem* still = ItemOf(action)) SyncItem(still);
  });
  item->SetPeerAction(action);
  return action;
}

void SyncList(QWidget* host, TMenuItem* parent) {
  QList<QAction*> wanted;
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* child = parent->Items(i);
    SyncItem(child);
    wanted.append(ActionFor(child));
  }
  if (host->actions() == wanted) return;
  for (QAction* a : host->actions()) host->removeAction(a);
  host->addActions(wanted);
}

void SyncItem(TMenuItem* item) {
  QAction* a = ActionFor(item);
  a->setText(QStr(item->Caption()));
  a->setEnabled(item->Enabled());
  a->setVisible(item->Visible());
  if (item->Count() > 0) {
    QMenu* menu = item->PeerMenu();
    if (!menu) {
      menu = new QMenu();
      item->SetPeerMenu(menu);
    }
    menu->setTitle(QStr(item->Caption()));
    a->setMenu(menu);
    SyncList(menu, item);
  } else if (a->menu()) {
    a->setMenu(nullptr);
  }
  a->setCheckable(item->Checked());
  a->setChecked(item->Checked());
}

}  // namespace

void SyncMenuBar(QMenuBar* bar, TMenu* menu) {
  if (!bar || !menu) return;
  SyncList(bar, menu->Items());
}

void ReleaseMenuPeers(TMenuItem* item) {
  if (QAction* a = item->PeerAction()) {
    a->setProperty(kItemProperty, QVariant::fromValue(quintptr{0}));
    a->deleteLater();
    item->SetPeerAction(nullptr);
  }
  if (QMenu* m = item->PeerMenu()) {
    m->deleteLater();
    item->SetPeerMenu(nullptr);
  }
}
