#pragma once
// The classic object and component model: class information, exceptions,
// events, persistent objects, components with owners and names, string lists.

#include <array>
#include <cstring>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Types.h"

// ---------------------------------------------------------------------------
// Class information: every class knows its name and its base, so code can test
// "is exactly this class" and "derives from this class" by name, as the board
// page does.

struct TClassInfo {
  const char* Name;
  const TClassInfo* Parent;
  bool InheritsFrom(const TClassInfo* other) const {
    for (const TClassInfo* c = this; c; c = c->Parent)
      if (c == other) return true;
    return false;
  }
};

#define T_CLASS(Cls, Base)                                                   \
 public:                                                                     \
  using inherited = Base;                                                    \
  static const ::TClassInfo* StaticClass() {                                 \
    static const ::TClassInfo info{#Cls, Base::StaticClass()};               \
    return &info;                                                            \
  }                                                                          \
  const ::TClassInfo* ClassType() const override { return StaticClass(); }  \
                                                                             \
 private:

struct TMessage;
class TMethodTable;
class TFieldTable;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo* StaticClass() {
    static const TClassInfo info{"TObject", nullptr};
    return &info;
  }
  virtual const TClassInfo* ClassType() const { return StaticClass(); }
  std::string ClassName() const { return ClassType()->Name; }
  bool InheritsFrom(const TClassInfo* cls) const { return ClassType()->InheritsFrom(cls); }
  // Letter case is ignored, as class names are in the classic library.
  bool ClassNameIs(const std::string& name) const;
  bool InheritsFromName(const std::string& name) const;

  // Message dispatch: a class handles the message numbers it knows and passes
  // the rest to its base; what nobody handles reaches DefaultHandler.
  virtual void Dispatch(TMessage& message);
  virtual void DefaultHandler(TMessage& message);
};

// Letter-case-insensitive comparison of identifiers (ASCII).
bool SameText(const std::string& a, const std::string& b);
bool IsValidIdent(const std::string& s);

template <class T>
T* dyn(TObject* o) {
  return dynamic_cast<T*>(o);
}

// ---------------------------------------------------------------------------
// Exceptions. Every error of the library derives from Exception, which carries
// the message shown to the user.

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const std::string& Message() const { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

#define T_EXCEPTION(Name, Base) \
  class Name : public Base {    \
   public:                      \
    using Base::Base;           \
  };

T_EXCEPTION(EComponentError, Exception)
T_EXCEPTION(EInvalidOperation, Exception)
T_EXCEPTION(EOutOfResources, Exception)
T_EXCEPTION(EConvertError, Exception)
T_EXCEPTION(EListError, Exception)
T_EXCEPTION(EStringListError, Exception)
T_EXCEPTION(EInvalidGraphic, Exception)
T_EXCEPTION(EReadError, Exception)

// ---------------------------------------------------------------------------
// Events: an (object, method) value that may be unassigned. Callers test it
// before every call. Two events are equal when they name the same object and
// the same method.

template <class Sig>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
 public:
  TEvent() = default;
  TEvent(std::nullptr_t) {}

  template <class T, class U>
  TEvent(T* object, R (U::*method)(A...))
      : FData(static_cast<const void*>(object)),
        FCode([object, method](A... args) -> R { return (object->*method)(std::forward<A>(args)...); }) {
    static_assert(sizeof(method) <= sizeof(FMethodId));
    std::memcpy(FMethodId.data(), &method, sizeof(method));
  }

  // An event served by a free callable (tests, code that builds windows).
  template <class F>
  static TEvent Lambda(F&& f, const void* data = nullptr) {
    TEvent e;
    e.FData = data;
    e.FCode = std::forward<F>(f);
    e.FLambdaId = ++LambdaCounter();
    return e;
  }

  explicit operator bool() const { return static_cast<bool>(FCode); }
  bool Assigned() const { return static_cast<bool>(FCode); }
  R operator()(A... args) const { return FCode(std::forward<A>(args)...); }

  const void* Data() const { return FData; }
  void Clear() {
    FData = nullptr;
    FCode = nullptr;
    FMethodId = {};
    FLambdaId = 0;
  }
  friend bool operator==(const TEvent& a, const TEvent& b) {
    return a.Assigned() == b.Assigned() && a.FData == b.FData && a.FMethodId == b.FMethodId &&
           a.FLambdaId == b.FLambdaId;
  }

 private:
  static unsigned& LambdaCounter() {
    static unsigned counter = 0;
    return counter;
  }
  const void* FData = nullptr;
  std::function<R(A...)> FCode;
  std::array<unsigned char, 16> FMethodId{};
  unsigned FLambdaId = 0;
};

using TNotifyEvent = TEvent<void(TObject*)>;

// ---------------------------------------------------------------------------

class TPersistent : public TObject {
  T_CLASS(TPersistent, TObject)
 public:
  // Copies the content of Source; raises EConvertError when the classes do
  // not know each other.
  virtual void Assign(TPersistent* source);

 protected:
  virtual void AssignTo(TPersistent* dest);
};

enum TComponentStateItem {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
  T_CLASS(TComponent, TPersistent)
 public:
  explicit TComponent(TComponent* owner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;

  const std::string& Name() const { return FName; }
  // The name must be empty or a valid identifier that no other component of
  // the owner carries (letter case ignored).
  virtual void SetName(const std::string& name);
  int Tag() const { return FTag; }
  void SetTag(int tag) { FTag = tag; }

  TComponentState ComponentState() const { return FComponentState; }
  // Design mode is the state of components being edited in a form designer;
  // the program never enters it, tests do.
  void SetDesigning(bool value, bool includeOwned = true);

  TComponent* FindComponent(const std::string& name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();
  void Destroying();

  // Streaming support: a component read inside another one is given that one
  // as its parent component (a control's parent, a menu item's menu).
  virtual bool HasParent() const { return false; }
  virtual TComponent* GetParentComponent() const { return nullptr; }
  virtual void SetParentComponent(TComponent*) {}

  // Loading from a layout description.
  void BeginLoading();
  virtual void Loaded();
  // The published methods (handlers a layout may name) and component fields
  // of a root that loads a layout of its own.
  virtual const TMethodTable* MethodTable() const { return nullptr; }
  virtual const TFieldTable* FieldTable() const { return nullptr; }

 protected:
  virtual void Notification(TComponent* component, TOperation operation);
  virtual void ValidateRename(TComponent* component, const std::string& curName,
                              const std::string& newName);
  TComponentState FComponentState;

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::string FName;
  int FTag = 0;
};

// ---------------------------------------------------------------------------
// String lists.

class TStrings : public TPersistent {
  T_CLASS(TStrings, TPersistent)
 public:
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, const std::string& s) = 0;
  virtual void Insert(int index, const std::string& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  std::string operator[](int index) const { return Get(index); }
  std::string Strings(int index) const { return Get(index); }
  int Add(const std::string& s) {
    Insert(Count(), s);
    return Count() - 1;
  }
  void AddStrings(const TStrings& other);
  int IndexOf(const std::string& s) const;
  void BeginUpdate();
  void EndUpdate();

  // The whole list as one text: each line ends with CR LF. Setting it splits
  // on CR LF, LF or CR.
  std::string Text() const;
  void SetText(const std::string& text);
  // Lines as one string with the given separator and no trailing one.
  std::string Join(const std::string& sep) const;
  std::vector<std::string> ToVector() const;
  void SetStrings(const std::vector<std::string>& lines);

  void Assign(TPersistent* source) override;

 protected:
  virtual void SetUpdateState(bool) {}
  int FUpdateCount = 0;
};

class TStringList : public TStrings {
  T_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  TStringList(std::initializer_list<std::string> lines) : FList(lines) {}

  int Count() const override { return static_cast<int>(FList.size()); }
  std::string Get(int index) const override;
  void Put(int index, const std::string& s) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = std::move(e); }

 protected:
  void SetUpdateState(bool updating) override;
  void Changed();

 private:
  void CheckIndex(int index, bool allowEnd) const;
  std::vector<std::string> FList;
  TNotifyEvent FOnChange;
};
