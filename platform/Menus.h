#pragma once
// Main menus and menu items. Items created at run time show at once: every
// change is reported to the menu's listeners (the menu bars showing it).

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Classes.h"

class TMenu;
class QAction;
class QMenu;

class TMenuItem : public TComponent {
  T_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // "&" marks the shortcut letter; "&&" is a plain ampersand.
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& hint) { FHint = hint; }

  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent e) { FOnClick = std::move(e); }
  // Fires OnClick with the item as Sender when the item is enabled.
  virtual void Click();

  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  TMenuItem* Parent() const { return FParent; }
  TMenu* GetParentMenu() const;
  int MenuIndex() const;
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Delete(int index);
  void Remove(TMenuItem* item);

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

  // The window-system objects that show this item (made on demand).
  QAction* PeerAction() const { return FAction; }
  void SetPeerAction(QAction* action) { FAction = action; }
  QMenu* PeerMenu() const { return FMenu; }
  void SetPeerMenu(QMenu* menu) { FMenu = menu; }

 private:
  friend class TMenu;
  void Changed(bool structure);

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  std::string FHint;
  TNotifyEvent FOnClick;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
  TMenu* FOwnerMenu = nullptr;  // set on the root item only
  QAction* FAction = nullptr;
  QMenu* FMenu = nullptr;
};

class TMenu : public TComponent {
  T_CLASS(TMenu, TComponent)
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root item; its items are the top-level entries.
  TMenuItem* Items() const { return FItems; }

  using TListener = std::function<void(TMenuItem* item, bool structure)>;
  int AddListener(TListener listener);
  void RemoveListener(int id);
  void Changed(TMenuItem* item, bool structure);

 private:
  TMenuItem* FItems;
  std::vector<std::pair<int, TListener>> FListeners;
  int FNextListener = 1;
};

class TMainMenu : public TMenu {
  T_CLASS(TMainMenu, TMenu)
 public:
  using TMenu::TMenu;
};
