// The component model: ownership, names, lookup, class tests, events and
// string lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Classes.h"

namespace {

std::vector<std::string>* gLog = nullptr;

class TLogged : public TComponent {
  T_CLASS(TLogged, TComponent)
 public:
  TLogged(TComponent* owner, std::string tag) : TComponent(owner), FTagName(std::move(tag)) {}
  ~TLogged() override {
    if (gLog) gLog->push_back(FTagName);
  }

 private:
  std::string FTagName;
};

class TLoggedChild : public TLogged {
  T_CLASS(TLoggedChild, TLogged)
 public:
  using TLogged::TLogged;
};

struct LogScope {
  std::vector<std::string> log;
  LogScope() { gLog = &log; }
  ~LogScope() { gLog = nullptr; }
};

}  // namespace

TEST(Component, OwnerFreesOwnedComponentsLastFirst) {
  LogScope scope;
  auto* owner = new TLogged(nullptr, "owner");
  new TLogged(owner, "a");
  auto* b = new TLogged(owner, "b");
  new TLogged(b, "b.1");
  new TLogged(owner, "c");
  ASSERT_EQ(owner->ComponentCount(), 3);
  delete owner;
  EXPECT_EQ(scope.log, (std::vector<std::string>{"owner", "c", "b", "b.1", "a"}));
}

TEST(Component, DeletingAnOwnedComponentTakesItOutOfItsOwner) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("A");
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(owner.FindComponent("A"), nullptr);
  EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST(Component, InsertMovesAComponentBetweenOwners) {
  TComponent first(nullptr), second(nullptr);
  auto* c = new TComponent(&first);
  second.InsertComponent(c);
  EXPECT_EQ(c->Owner(), &second);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.ComponentCount(), 1);
}

TEST(Component, NamesMustBeIdentifiers) {
  TComponent owner(nullptr);
  auto* c = new TComponent(&owner);
  for (const char* bad : {"1abc", "a b", "a-b", "Ä", "a.b", " a"}) {
    EXPECT_THROW(c->SetName(bad), EComponentError) << bad;
    EXPECT_EQ(c->Name(), "") << bad;
  }
  for (const char* good : {"a", "_x", "Button1", "CPUTypeSelection1", ""}) {
    EXPECT_NO_THROW(c->SetName(good)) << good;
    EXPECT_EQ(c->Name(), good);
  }
}

TEST(Component, NamesAreUniqueAmongTheOwnersComponentsIgnoringCase) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Settings1");
  EXPECT_THROW(b->SetName("SETTINGS1"), EComponentError);
  EXPECT_EQ(b->Name(), "");
  EXPECT_NO_THROW(a->SetName("settings1"));  // renaming itself in another case
  EXPECT_EQ(owner.FindComponent("SeTtInGs1"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_EQ(owner.FindComponent("Settings2"), nullptr);
  // Components of different owners may share a name.
  TComponent other(nullptr);
  auto* c = new TComponent(&other);
  EXPECT_NO_THROW(c->SetName("Settings1"));
}

TEST(Component, MovingANamedComponentToAnOwnerWithThatNameFails) {
  TComponent first(nullptr), second(nullptr);
  auto* a = new TComponent(&first);
  a->SetName("Item");
  (new TComponent(&second))->SetName("item");
  EXPECT_THROW(second.InsertComponent(a), EComponentError);
  EXPECT_EQ(a->Owner(), &first);  // the refused component stays where it was
  EXPECT_EQ(first.ComponentCount(), 1);
}

TEST(Component, DesigningAndLoadingStates) {
  TComponent owner(nullptr);
  auto* c = new TComponent(&owner);
  owner.SetDesigning(true);
  EXPECT_TRUE(c->ComponentState().contains(csDesigning));
  owner.SetDesigning(false);
  EXPECT_FALSE(c->ComponentState().contains(csDesigning));
  c->BeginLoading();
  EXPECT_TRUE(c->ComponentState().contains(csLoading));
  c->Loaded();
  EXPECT_FALSE(c->ComponentState().contains(csLoading));
}

TEST(Component, ClassNamesAndInheritance) {
  TComponent owner(nullptr);
  TLoggedChild child(nullptr, "x");
  EXPECT_EQ(child.ClassName(), "TLoggedChild");
  EXPECT_TRUE(child.ClassNameIs("tloggedCHILD"));
  EXPECT_FALSE(child.ClassNameIs("TLogged"));
  EXPECT_TRUE(child.InheritsFrom(TLogged::StaticClass()));
  EXPECT_TRUE(child.InheritsFromName("tcomponent"));
  EXPECT_FALSE(owner.InheritsFrom(TLogged::StaticClass()));
  EXPECT_EQ(owner.ClassName(), "TComponent");
}

namespace {
struct TTarget : TObject {
  int calls = 0;
  TObject* sender = nullptr;
  void Handler(TObject* s) {
    ++calls;
    sender = s;
  }
  void Other(TObject*) {}
};
}  // namespace

TEST(Event, AssignedCallClearAndCompare) {
  TTarget t;
  TNotifyEvent e;
  EXPECT_FALSE(e.Assigned());
  EXPECT_EQ(e.Data(), nullptr);
  e = TNotifyEvent(&t, &TTarget::Handler);
  ASSERT_TRUE(e.Assigned());
  EXPECT_EQ(e.Data(), &t);
  e(&t);
  EXPECT_EQ(t.calls, 1);
  EXPECT_EQ(t.sender, &t);
  EXPECT_TRUE(e == TNotifyEvent(&t, &TTarget::Handler));
  EXPECT_FALSE(e == TNotifyEvent(&t, &TTarget::Other));
  TTarget u;
  EXPECT_FALSE(e == TNotifyEvent(&u, &TTarget::Handler));
  e.Clear();
  EXPECT_FALSE(e.Assigned());
  EXPECT_EQ(e.Data(), nullptr);
  EXPECT_TRUE(e == TNotifyEvent());
}

TEST(StringList, TextSplitsOnEveryLineBreakAndJoinsWithCrLf) {
  TStringList l;
  l.SetText("one\r\ntwo\nthree\rfour");
  EXPECT_EQ(l.ToVector(), (std::vector<std::string>{"one", "two", "three", "four"}));
  EXPECT_EQ(l.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  l.SetText("a\r\n\r\nb\r\n");
  EXPECT_EQ(l.ToVector(), (std::vector<std::string>{"a", "", "b"}));
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringList, AssignCopiesAndChangesAreReportedOncePerUpdate) {
  TStringList source{"x", "y"};
  TStringList copy;
  int changes = 0;
  copy.SetOnChange(TNotifyEvent::Lambda([&](TObject*) { ++changes; }));
  copy.Assign(&source);
  EXPECT_EQ(changes, 1);
  source.Put(0, "changed");
  EXPECT_EQ(copy[0], "x");
  copy.Add("z");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(copy.IndexOf("Y"), 1);
  EXPECT_THROW(copy.Get(3), EStringListError);
  EXPECT_THROW(copy.Delete(-1), EStringListError);
  EXPECT_THROW(copy.Assign(nullptr), EConvertError);
}
