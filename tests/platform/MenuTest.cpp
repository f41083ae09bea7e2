// Menus: the item tree, clicks, and the Qt menu bar that shows it.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "Forms.h"
#include "Menus.h"
#include "TestSupport.h"

namespace {
TMenuItem* Item(TComponent* owner, const std::string& caption) {
  auto* i = new TMenuItem(owner);
  i->SetCaption(caption);
  return i;
}

QStringList Texts(const QList<QAction*>& actions) {
  QStringList t;
  for (QAction* a : actions) t << a->text();
  return t;
}
}  // namespace

TEST(MenuItems, AddInsertDeleteAndParents) {
  TMainMenu menu(nullptr);
  TMenuItem* file = Item(&menu, "&File");
  TMenuItem* help = Item(&menu, "&Help");
  menu.Items()->Add(file);
  menu.Items()->Add(help);
  TMenuItem* settings = Item(&menu, "&Settings");
  menu.Items()->Insert(1, settings);
  ASSERT_EQ(menu.Items()->Count(), 3);
  EXPECT_EQ(menu.Items()->Items(1), settings);
  EXPECT_EQ(help->MenuIndex(), 2);
  EXPECT_EQ(settings->GetParentMenu(), &menu);
  EXPECT_EQ(settings->GetParentComponent(), &menu);
  EXPECT_THROW(menu.Items()->Add(settings), EComponentError);
  EXPECT_THROW(menu.Items()->Insert(9, Item(&menu, "x")), EListError);
  delete settings;
  EXPECT_EQ(menu.Items()->Count(), 2);
  EXPECT_EQ(help->MenuIndex(), 1);
}

TEST(MenuItems, ClickFiresOnClickOnlyWhenEnabled) {
  TMainMenu menu(nullptr);
  TMenuItem* item = Item(&menu, "&Exit");
  int clicks = 0;
  TObject* sender = nullptr;
  item->SetOnClick(TNotifyEvent::Lambda([&](TObject* s) {
    ++clicks;
    sender = s;
  }));
  item->Click();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(sender, item);
  item->SetEnabled(false);
  item->Click();
  EXPECT_EQ(clicks, 1);
}

TEST(MenuBar, ShowsItemsMadeAtRunTimeAtOnceAndTheModelsCheckMarks) {
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  TMenuItem* file = Item(&form, "&File");
  TMenuItem* exit = Item(&form, "&Exit");
  TMenuItem* help = Item(&form, "&Help");
  menu->Items()->Add(file);
  file->Add(exit);
  menu->Items()->Add(help);
  form.SetMenu(menu);
  form.Show();
  PumpEvents();
  QMenuBar* bar = form.PeerMenuBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(Texts(bar->actions()), (QStringList{"&File", "&Help"}));

  TMenuItem* settings = Item(&form, "&Settings");
  menu->Items()->Insert(1, settings);
  TMenuItem* cpu = Item(&form, "CPU Ty&pe Selection");
  settings->Add(cpu);
  EXPECT_EQ(Texts(bar->actions()), (QStringList{"&File", "&Settings", "&Help"}));
  QAction* settingsAction = bar->actions()[1];
  ASSERT_NE(settingsAction->menu(), nullptr);
  EXPECT_EQ(Texts(settingsAction->menu()->actions()), QStringList{"CPU Ty&pe Selection"});

  // Triggering the action runs the model's click; the check mark is the model's.
  int clicks = 0;
  cpu->SetOnClick(TNotifyEvent::Lambda([&](TObject*) { ++clicks; }));
  QAction* cpuAction = settingsAction->menu()->actions()[0];
  cpuAction->trigger();
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(cpu->Checked());
  EXPECT_FALSE(cpuAction->isChecked());
  cpu->SetOnClick(TNotifyEvent::Lambda([&](TObject*) { cpu->SetChecked(!cpu->Checked()); }));
  cpuAction->trigger();
  EXPECT_TRUE(cpu->Checked());
  EXPECT_TRUE(cpuAction->isChecked());
  cpuAction->trigger();
  EXPECT_FALSE(cpuAction->isChecked());

  delete cpu;
  EXPECT_TRUE(settingsAction->menu() == nullptr || settingsAction->menu()->actions().isEmpty());
}

TEST(MenuBar, AnExceptionInAMenuHandlerIsReportedAndTheMenuWorksOn) {
  TBoxRecorder boxes;
  TForm form(nullptr);
  auto* menu = new TMainMenu(&form);
  TMenuItem* file = Item(&form, "&File");
  TMenuItem* broken = Item(&form, "&Broken");
  menu->Items()->Add(file);
  file->Add(broken);
  form.SetMenu(menu);
  form.Show();
  PumpEvents();
  int calls = 0;
  broken->SetOnClick(TNotifyEvent::Lambda([&](TObject*) {
    ++calls;
    throw EInvalidOperation("The handler failed");
  }));
  QAction* action = form.PeerMenuBar()->actions()[0]->menu()->actions()[0];
  action->trigger();
  ASSERT_EQ(boxes.Boxes.size(), 1u);
  EXPECT_EQ(boxes.Boxes[0].Text, "The handler failed.");
  action->trigger();
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(boxes.Boxes.size(), 2u);
  EXPECT_TRUE(form.Visible());
}
