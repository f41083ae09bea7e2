#pragma once
// Published properties and the class registry. Each class declares its
// published properties once, in published order, in a table built in one
// place; layout descriptions, tests and tools use only these tables.

#include <any>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "Classes.h"
#include "Graphics.h"

// A value of a layout description, as parsed.
struct TValue {
  enum TKind { vaNull, vaInteger, vaFloat, vaString, vaIdent, vaSet, vaList, vaBinary };
  TKind Kind = vaNull;
  long long Integer = 0;
  double Float = 0;
  std::string Text;                // a string, or an identifier
  std::vector<std::string> Items;  // the members of a set, the strings of a list
  std::vector<uint8_t> Bytes;      // binary data
  int Line = 0;
};
const char* KindName(TValue::TKind kind);

// What a property setter may ask of the loader.
class TLoadContext {
 public:
  virtual ~TLoadContext() = default;
  // Runs after the whole tree exists (references to other components).
  virtual void Defer(std::function<void()> fixup) = 0;
  // A component of the tree by name (letter case ignored); nullptr if none.
  virtual TComponent* FindComponentNamed(const std::string& name) = 0;
  // A published method of the root, as an event value of its own type.
  virtual std::any FindHandler(const std::string& name) = 0;
  // Rejects the description at the value's line.
  [[noreturn]] void Fail(const TValue& at, const std::string& message) { throw EReadError(Where(at) + message); }

 protected:
  // Where a value stands, as the start of an error message.
  virtual std::string Where(const TValue& at) const = 0;
};

using TPropSetter = std::function<void(TObject* target, const TValue& value, TLoadContext& context)>;
using TPropGetter = std::function<std::string(TObject* target)>;

struct TPropInfo {
  std::string Name;
  TPropSetter Set;
  TPropGetter Get;  // may be empty
};

class TPropTable {
 public:
  explicit TPropTable(const TPropTable* base = nullptr) : FBase(base) {}
  void Add(TPropInfo info) { FProps.push_back(std::move(info)); }
  // Own properties first, then the always-published ones of the base chain.
  const TPropInfo* Find(const std::string& name) const;
  // Every published name in published order, base chain first.
  std::vector<std::string> Names() const;
  const std::vector<TPropInfo>& Own() const { return FProps; }

 private:
  const TPropTable* FBase;
  std::vector<TPropInfo> FProps;
};

// Name and Tag of every component; and Left, Top, Width, Height of every
// control on top of those.
const TPropTable& ComponentProperties();
const TPropTable& ControlProperties();
// The published properties of forms; a form class with a layout of its own
// registers itself with this table.
const TPropTable& FormProperties();
// The definitions of the platform's common control properties ("Align",
// "Font", "OnClick", ...), for classes that publish them.
const TPropInfo* StandardProperty(const std::string& name);

// --- class registry --------------------------------------------------------

using TComponentFactory = std::function<TComponent*(TComponent* owner)>;
struct TRegisteredClass {
  const TClassInfo* Class;
  TComponentFactory Create;
  const TPropTable* Properties;
};
void RegisterComponentClass(const TClassInfo* cls, TComponentFactory create, const TPropTable* properties);
const TRegisteredClass* FindRegisteredClass(const std::string& name);
// The table of a registered class, or of its nearest registered base.
const TPropTable* PropertiesOf(const TObject* object);
// Registers the platform's own classes (idempotent).
void RegisterPlatformClasses();

// --- published methods of a root form ---------------------------------------

class TMethodTable {
 public:
  template <class T, class... A>
  void Add(const std::string& name, void (T::*method)(A...)) {
    FEntries.push_back({name, [method](TObject* root) -> std::any {
                          return TEvent<void(A...)>(static_cast<T*>(root), method);
                        }});
  }
  // The event value for a published method, empty when there is none.
  std::any Bind(TObject* root, const std::string& name) const;
  std::vector<std::string> Names() const;

 private:
  struct TEntry {
    std::string Name;
    std::function<std::any(TObject*)> Make;
  };
  std::vector<TEntry> FEntries;
};

// Component fields of a root form, bound by name after loading.
class TFieldTable {
 public:
  template <class R, class C>
  void Add(const std::string& name, C* R::*field) {
    FEntries.push_back({name, [field](TObject* root, TComponent* c) -> bool {
                          C* typed = dynamic_cast<C*>(c);
                          if (c && !typed) return false;
                          static_cast<R*>(root)->*field = typed;
                          return true;
                        }, C::StaticClass()});
  }
  struct TEntry {
    std::string Name;
    std::function<bool(TObject*, TComponent*)> Bind;
    const TClassInfo* Class;
  };
  const std::vector<TEntry>& Entries() const { return FEntries; }

 private:
  std::vector<TEntry> FEntries;
};

// --- values ----------------------------------------------------------------

// Identifier names of an enumeration, in ordinal order.
struct TEnumNames {
  std::vector<const char*> Names;
  int Find(const std::string& ident) const;  // -1 if none
};
const TEnumNames& AlignNames();
const TEnumNames& AnchorNames();
const TEnumNames& FontStyleNames();

long long IntegerOf(const TValue& v, TLoadContext& c);
bool BoolOf(const TValue& v, TLoadContext& c);
std::string StringOf(const TValue& v, TLoadContext& c);
TColor ColorOf(const TValue& v, TLoadContext& c);
int EnumOf(const TValue& v, const TEnumNames& names, TLoadContext& c);
uint32_t SetOf(const TValue& v, const TEnumNames& names, TLoadContext& c);
std::vector<std::string> ListOf(const TValue& v, TLoadContext& c);
// A component reference, resolved once the whole tree exists.
template <class C>
void ReferenceOf(const TValue& v, TLoadContext& c, std::function<void(C*)> store);
// A handler by name, of the event type E.
template <class E>
E HandlerOf(const TValue& v, TLoadContext& c);

// A stored picture: length-prefixed class name, 32-bit byte count, data.
void LoadPictureValue(TPicture* picture, const TValue& v, TLoadContext& c);
// The parts of stored picture data; false, with the reason, when malformed.
bool SplitPictureData(const std::vector<uint8_t>& stored, std::string& graphicClass, std::vector<uint8_t>& data,
                      std::string& problem);

std::string BoolText(bool b);
std::string SetText(uint32_t bits, const TEnumNames& names);

// --- building tables ---------------------------------------------------------

// Publishes properties of class T into a table, in the order of the calls.
template <class T>
class TPublisher {
 public:
  explicit TPublisher(TPropTable& table) : FTable(table) {}

  // Re-publishes common control properties by name, in the order given.
  TPublisher& Standard(std::initializer_list<const char*> names);

  TPublisher& Integer(const char* name, std::function<long long(T*)> get, std::function<void(T*, long long)> set);
  TPublisher& Bool(const char* name, std::function<bool(T*)> get, std::function<void(T*, bool)> set);
  TPublisher& String(const char* name, std::function<std::string(T*)> get,
                     std::function<void(T*, const std::string&)> set);
  TPublisher& Color(const char* name, std::function<TColor(T*)> get, std::function<void(T*, TColor)> set);
  TPublisher& Enum(const char* name, const TEnumNames& names, std::function<int(T*)> get,
                   std::function<void(T*, int)> set);
  TPublisher& Set(const char* name, const TEnumNames& names, std::function<uint32_t(T*)> get,
                  std::function<void(T*, uint32_t)> set);
  TPublisher& Strings(const char* name, std::function<TStrings*(T*)> get,
                      std::function<void(T*, const std::vector<std::string>&)> set);
  template <class C>
  TPublisher& Reference(const char* name, std::function<C*(T*)> get, std::function<void(T*, C*)> set);
  template <class E>
  TPublisher& Event(const char* name, std::function<void(T*, E)> set);
  // Accepted for compatibility with stored layouts; has no effect here.
  TPublisher& Ignored(const char* name);

 private:
  TPublisher& Add(const char* name, TPropSetter set, TPropGetter get) {
    FTable.Add({name, std::move(set), std::move(get)});
    return *this;
  }
  TPropTable& FTable;
};

// ---------------------------------------------------------------------------
// Template definitions.

template <class C>
void ReferenceOf(const TValue& v, TLoadContext& c, std::function<void(C*)> store) {
  if (v.Kind != TValue::vaIdent) c.Fail(v, std::string("component name expected, found ") + KindName(v.Kind));
  const TValue at = v;
  c.Defer([&c, at, store]() {
    TComponent* found = c.FindComponentNamed(at.Text);
    if (!found) c.Fail(at, "unknown component '" + at.Text + "'");
    C* typed = dynamic_cast<C*>(found);
    if (!typed)
      c.Fail(at, "component '" + at.Text + "' is a " + found->ClassName() + ", not a " + C::StaticClass()->Name);
    store(typed);
  });
}

template <class E>
E HandlerOf(const TValue& v, TLoadContext& c) {
  if (v.Kind != TValue::vaIdent) c.Fail(v, std::string("handler name expected, found ") + KindName(v.Kind));
  std::any handler = c.FindHandler(v.Text);
  if (!handler.has_value()) c.Fail(v, "unknown handler '" + v.Text + "'");
  if (const E* e = std::any_cast<E>(&handler)) return *e;
  c.Fail(v, "handler '" + v.Text + "' does not fit this event");
}

template <class T>
T* Target(TObject* o) {
  return static_cast<T*>(o);
}

template <class T>
TPublisher<T>& TPublisher<T>::Standard(std::initializer_list<const char*> names) {
  for (const char* n : names) {
    const TPropInfo* info = StandardProperty(n);
    if (!info) throw EComponentError(std::string("no standard property ") + n);
    FTable.Add(*info);
  }
  return *this;
}

template <class T>
TPublisher<T>& TPublisher<T>::Integer(const char* name, std::function<long long(T*)> get,
                                      std::function<void(T*, long long)> set) {
  return Add(
      name, [set](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), IntegerOf(v, c)); },
      [get](TObject* o) { return std::to_string(get(Target<T>(o))); });
}

template <class T>
TPublisher<T>& TPublisher<T>::Bool(const char* name, std::function<bool(T*)> get, std::function<void(T*, bool)> set) {
  return Add(
      name, [set](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), BoolOf(v, c)); },
      [get](TObject* o) { return BoolText(get(Target<T>(o))); });
}

template <class T>
TPublisher<T>& TPublisher<T>::String(const char* name, std::function<std::string(T*)> get,
                                     std::function<void(T*, const std::string&)> set) {
  return Add(
      name, [set](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), StringOf(v, c)); },
      [get](TObject* o) { return get(Target<T>(o)); });
}

template <class T>
TPublisher<T>& TPublisher<T>::Color(const char* name, std::function<TColor(T*)> get,
                                    std::function<void(T*, TColor)> set) {
  return Add(
      name, [set](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), ColorOf(v, c)); },
      [get](TObject* o) { return std::to_string(get(Target<T>(o))); });
}

template <class T>
TPublisher<T>& TPublisher<T>::Enum(const char* name, const TEnumNames& names, std::function<int(T*)> get,
                                   std::function<void(T*, int)> set) {
  const TEnumNames* n = &names;
  return Add(
      name, [set, n](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), EnumOf(v, *n, c)); },
      [get, n](TObject* o) {
        const int i = get(Target<T>(o));
        return i >= 0 && i < static_cast<int>(n->Names.size()) ? std::string(n->Names[static_cast<size_t>(i)])
                                                               : std::to_string(i);
      });
}

template <class T>
TPublisher<T>& TPublisher<T>::Set(const char* name, const TEnumNames& names, std::function<uint32_t(T*)> get,
                                  std::function<void(T*, uint32_t)> set) {
  const TEnumNames* n = &names;
  return Add(
      name, [set, n](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), SetOf(v, *n, c)); },
      [get, n](TObject* o) { return SetText(get(Target<T>(o)), *n); });
}

template <class T>
TPublisher<T>& TPublisher<T>::Strings(const char* name, std::function<TStrings*(T*)> get,
                                      std::function<void(T*, const std::vector<std::string>&)> set) {
  return Add(
      name, [set](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), ListOf(v, c)); },
      [get](TObject* o) { return get(Target<T>(o))->Join("\n"); });
}

template <class T>
template <class C>
TPublisher<T>& TPublisher<T>::Reference(const char* name, std::function<C*(T*)> get,
                                        std::function<void(T*, C*)> set) {
  return Add(
      name,
      [set](TObject* o, const TValue& v, TLoadContext& c) {
        T* t = Target<T>(o);
        ReferenceOf<C>(v, c, [t, set](C* ref) { set(t, ref); });
      },
      [get](TObject* o) {
        C* ref = get(Target<T>(o));
        return ref ? ref->Name() : std::string();
      });
}

template <class T>
template <class E>
TPublisher<T>& TPublisher<T>::Event(const char* name, std::function<void(T*, E)> set) {
  return Add(
      name, [set](TObject* o, const TValue& v, TLoadContext& c) { set(Target<T>(o), HandlerOf<E>(v, c)); },
      nullptr);
}

template <class T>
TPublisher<T>& TPublisher<T>::Ignored(const char* name) {
  return Add(
      name, [](TObject*, const TValue&, TLoadContext&) {}, nullptr);
}
