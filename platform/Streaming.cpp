#include "Streaming.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <future>
#include <mutex>
#include <set>
#include <functional>
#include <memory>

#include "Controls.h"
#include "Jpeg.h"
#include "Menus.h"

// ---------------------------------------------------------------------------
// Reading the text

namespace {

[[noreturn]] void SyntaxError(int line, const std::string& message) {
  throw EReadError("Layout line " + std::to_string(line) + ": " + message);
}

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

class TParser {
 public:
  explicit TParser(const std::string& text) : FText(text) {}

  TLayoutObject Parse() {
    SkipSpace();
    TLayoutObject root = ParseObject();
    SkipSpace();
    if (!AtEnd()) SyntaxError(FLine, "text after the final 'end'");
    return root;
  }

 private:
  bool AtEnd() const { return FPos >= FText.size(); }
  char Peek(size_t ahead = 0) const { return FPos + ahead < FText.size() ? FText[FPos + ahead] : '\0'; }

  void SkipSpace() {
    while (!AtEnd()) {
      const char c = Peek();
      if (c == '\n') {
        ++FLine;
        ++FPos;
      } else if (c == ' ' || c == '\t' || c == '\r') {
        ++FPos;
      } else if (c == '/' && Peek(1) == '/') {
        while (!AtEnd() && Peek() != '\n') ++FPos;
      } else {
        break;
      }
    }
  }

  static int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
  }

  static bool IdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
  static bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

  std::string Ident(const char* what, bool dotted = false) {
    SkipSpace();
    if (!IdentStart(Peek())) SyntaxError(FLine, std::string(what) + " expected");
    const size_t start = FPos;
    while (IdentChar(Peek()) || (dotted && Peek() == '.' && IdentStart(Peek(1)))) ++FPos;
    return FText.substr(start, FPos - start);
  }

  void Expect(char c) {
    SkipSpace();
    if (Peek() != c) SyntaxError(FLine, std::string("'") + c + "' expected");
    ++FPos;
  }

  bool Keyword(const char* word) {
    SkipSpace();
    const size_t n = std::strlen(word);
    if (FText.compare(FPos, n, word) != 0 && !SameText(FText.substr(FPos, n), word)) return false;
    if (IdentChar(Peek(n))) return false;
    FPos += n;
    return true;
  }

  TLayoutObject ParseObject() {
    TLayoutObject obj;
    obj.Line = FLine;
    if (!Keyword("object") && !Keyword("inherited") && !Keyword("inline"))
      SyntaxError(FLine, "'object' expected");
    obj.Name = Ident("component name");
    Expect(':');
    obj.ClassName = Ident("class name");
    for (;;) {
      SkipSpace();
      if (AtEnd()) SyntaxError(FLine, "'end' expected for " + obj.Name + " (line " + std::to_string(obj.Line) + ")");
      if (Keyword("end")) break;
      const size_t save = FPos;
      const int saveLine = FLine;
      if (Keyword("object") || Keyword("inherited") || Keyword("inline")) {
        FPos = save;
        FLine = saveLine;
        obj.Children.push_back(ParseObject());
        continue;
      }
      TLayoutProperty p;
      const int line = FLine;
      p.Name = Ident("property name", true);
      Expect('=');
      p.Value = ParseValue();
      p.Value.Line = line;
      obj.Properties.push_back(std::move(p));
    }
    return obj;
  }

  // A string: quoted parts and #code characters, joined by '+' across lines.
  std::string ParseString() {
    std::string s;
    for (;;) {
      if (Peek() == '\'') {
        ++FPos;
        for (;;) {
          if (AtEnd() || Peek() == '\n') SyntaxError(FLine, "unterminated string");
          if (Peek() == '\'') {
            if (Peek(1) == '\'') {
              s += '\'';
              FPos += 2;
              continue;
            }
            ++FPos;
            break;
          }
          s += Peek();
          ++FPos;
        }
      } else if (Peek() == '#') {
        ++FPos;
        const size_t start = FPos;
        while (std::isdigit(static_cast<unsigned char>(Peek()))) ++FPos;
        if (start == FPos) SyntaxError(FLine, "character code expected after '#'");
        AppendUtf8(s, std::strtoul(FText.substr(start, FPos - start).c_str(), nullptr, 10));
      } else {
        const size_t save = FPos;
        const int saveLine = FLine;
        SkipSpace();
        if (Peek() == '+') {
          ++FPos;
          SkipSpace();
          if (Peek() != '\'' && Peek() != '#') SyntaxError(FLine, "string expected after '+'");
          continue;
        }
        FPos = save;
        FLine = saveLine;
        return s;
      }
    }
  }

  TValue ParseValue() {
    SkipSpace();
    TValue v;
    const char c = Peek();
    if (c == '\'' || c == '#') {
      v.Kind = TValue::vaString;
      v.Text = ParseString();
    } else if (c == '-' || c == '+' || std::isdigit(static_cast<unsigned char>(c)) || c == '$') {
      ParseNumber(v);
    } else if (IdentStart(c)) {
      v.Kind = TValue::vaIdent;
      v.Text = Ident("identifier", true);
    } else if (c == '[') {
      ++FPos;
      v.Kind = TValue::vaSet;
      SkipSpace();
      if (Peek() != ']') {
        for (;;) {
          v.Items.push_back(Ident("set member"));
          SkipSpace();
          if (Peek() == ',') {
            ++FPos;
            continue;
          }
          break;
        }
      }
      Expect(']');
    } else if (c == '(') {
      ++FPos;
      v.Kind = TValue::vaList;
      for (;;) {
        SkipSpace();
        if (Peek() == ')') {
          ++FPos;
          break;
        }
        if (AtEnd()) SyntaxError(FLine, "')' expected");
        if (Peek() != '\'' && Peek() != '#') SyntaxError(FLine, "string expected in a list");
        v.Items.push_back(ParseString());
      }
    } else if (c == '{') {
      ++FPos;
      v.Kind = TValue::vaBinary;
      int high = -1;
      for (;;) {
        if (AtEnd()) SyntaxError(FLine, "'}' expected");
        const char ch = FText[FPos++];
        if (ch == '}') break;
        if (ch == '\n') {
          ++FLine;
          continue;
        }
        if (ch == ' ' || ch == '\t' || ch == '\r') continue;
        const int nibble = HexValue(ch);
        if (nibble < 0) SyntaxError(FLine, "hexadecimal digit expected");
        if (high < 0) {
          high = nibble;
        } else {
          v.Bytes.push_back(static_cast<uint8_t>(high << 4 | nibble));
          high = -1;
        }
      }
      if (high >= 0) SyntaxError(FLine, "odd number of hexadecimal digits");
    } else if (c == '<') {
      SyntaxError(FLine, "collections are not supported in layouts");
    } else {
      SyntaxError(FLine, "value expected");
    }
    return v;
  }

  void ParseNumber(TValue& v) {
    bool negative = false;
    if (Peek() == '-' || Peek() == '+') {
      negative = Peek() == '-';
      ++FPos;
    }
    if (Peek() == '$') {
      ++FPos;
      const size_t start = FPos;
      while (std::isxdigit(static_cast<unsigned char>(Peek()))) ++FPos;
      if (start == FPos) SyntaxError(FLine, "hexadecimal digits expected after '$'");
      v.Kind = TValue::vaInteger;
      v.Integer = static_cast<long long>(std::strtoull(FText.substr(start, FPos - start).c_str(), nullptr, 16));
      if (negative) v.Integer = -v.Integer;
      return;
    }
    const size_t start = FPos;
    while (std::isdigit(static_cast<unsigned char>(Peek()))) ++FPos;
    if (start == FPos) SyntaxError(FLine, "number expected");
    if (Peek() == '.' && std::isdigit(static_cast<unsigned char>(Peek(1)))) {
      ++FPos;
      while (std::isdigit(static_cast<unsigned char>(Peek()))) ++FPos;
      v.Kind = TValue::vaFloat;
      v.Float = std::strtod(FText.substr(start, FPos - start).c_str(), nullptr) * (negative ? -1 : 1);
      return;
    }
    if (IdentChar(Peek())) SyntaxError(FLine, "malformed number");
    const std::string digits = FText.substr(start, FPos - start);
    if (digits.size() > 18) SyntaxError(FLine, "number out of range");
    v.Kind = TValue::vaInteger;
    v.Integer = std::strtoll(digits.c_str(), nullptr, 10) * (negative ? -1 : 1);
  }

  const std::string& FText;
  size_t FPos = 0;
  int FLine = 1;
};

// ---------------------------------------------------------------------------
// Loading

class TLoader : public TLoadContext {
 public:
  explicit TLoader(TComponent* root) : FRoot(root) {}

  void Load(const TLayoutObject& layout) {
    if (!SameText(layout.ClassName, FRoot->ClassName()))
      SyntaxError(layout.Line, "the layout describes a " + layout.ClassName + ", not a " + FRoot->ClassName());
    const TPropTable* rootTable = PropertiesOf(FRoot);
    if (!rootTable) SyntaxError(layout.Line, "class " + FRoot->ClassName() + " is not registered");
    FRoot->BeginLoading();
    try {
      Rename(FRoot, layout.Name, layout.Line);
      Apply(FRoot, *rootTable, layout.Properties);
      for (const TLayoutObject& child : layout.Children) Create(child, FRoot);
      for (size_t i = 0; i < FFixups.size(); ++i) FFixups[i]();
      BindFields();
    } catch (...) {
      DiscardCreated();
      FRoot->Loaded();
      throw;
    }
    FRoot->Loaded();
    for (TComponent* c : FCreated) c->Loaded();
  }

  // Frees what this load made, last first; freeing a parent frees its
  // children, so look again after each one.
  void DiscardCreated() {
    const std::set<TComponent*> made(FCreated.begin(), FCreated.end());
    for (;;) {
      TComponent* last = nullptr;
      for (int i = FRoot->ComponentCount() - 1; i >= 0 && !last; --i)
        if (made.count(FRoot->Components(i))) last = FRoot->Components(i);
      if (!last) break;
      delete last;
    }
    FCreated.clear();
  }

  void Defer(std::function<void()> fixup) override { FFixups.push_back(std::move(fixup)); }

  TComponent* FindComponentNamed(const std::string& name) override {
    if (SameText(FRoot->Name(), name)) return FRoot;
    return FRoot->FindComponent(name);
  }

  std::any FindHandler(const std::string& name) override {
    const TMethodTable* methods = FRoot->MethodTable();
    return methods ? methods->Bind(FRoot, name) : std::any{};
  }

 protected:
  std::string Where(const TValue& at) const override {
    return at.Line > 0 ? "Layout line " + std::to_string(at.Line) + ": " : std::string("Layout: ");
  }

 private:
  void Rename(TComponent* c, const std::string& name, int line) {
    try {
      c->SetName(name);
    } catch (const EComponentError& e) {
      SyntaxError(line, e.Message());
    }
  }

  void Create(const TLayoutObject& node, TComponent* parent) {
    const TRegisteredClass* cls = FindRegisteredClass(node.ClassName);
    if (!cls) SyntaxError(node.Line, "unknown class " + node.ClassName);
    TComponent* c = cls->Create(FRoot);
    FCreated.push_back(c);
    c->BeginLoading();
    Rename(c, node.Name, node.Line);
    if (dynamic_cast<TControl*>(c) && !dynamic_cast<TWinControl*>(parent))
      SyntaxError(node.Line, node.ClassName + " " + node.Name + " cannot stand inside " + parent->ClassName());
    if (dynamic_cast<TMenuItem*>(c) && !dynamic_cast<TMenu*>(parent) && !dynamic_cast<TMenuItem*>(parent))
      SyntaxError(node.Line, "menu item " + node.Name + " must stand inside a menu");
    try {
      c->SetParentComponent(parent);
    } catch (const Exception& e) {
      SyntaxError(node.Line, e.Message());
    }
    Apply(c, *cls->Properties, node.Properties);
    for (const TLayoutObject& child : node.Children) Create(child, c);
  }

  static std::string Unqualified(const TLayoutProperty& p) {
    auto strip = [&](const char* suffix) {
      const std::string s(suffix);
      if (p.Name.size() > s.size() && SameText(p.Name.substr(p.Name.size() - s.size()), s))
        return p.Name.substr(0, p.Name.size() - s.size());
      return std::string();
    };
    if (p.Value.Kind == TValue::vaList)
      if (std::string n = strip(".Strings"); !n.empty()) return n;
    if (p.Value.Kind == TValue::vaBinary)
      if (std::string n = strip(".Data"); !n.empty()) return n;
    return p.Name;
  }

  void Apply(TComponent* c, const TPropTable& table, const std::vector<TLayoutProperty>& props) {
    for (const TLayoutProperty& p : props) {
      const TPropInfo* info = table.Find(Unqualified(p));
      if (!info) Fail(p.Value, "unknown property " + p.Name + " of " + c->ClassName());
      try {
        info->Set(c, p.Value, *this);
      } catch (const EReadError&) {
        throw;
      } catch (const Exception& e) {
        Fail(p.Value, p.Name + ": " + e.Message());
      }
    }
  }

  void BindFields() {
    const TFieldTable* fields = FRoot->FieldTable();
    if (!fields) return;
    for (const TFieldTable::TEntry& f : fields->Entries()) {
      TComponent* c = FRoot->FindComponent(f.Name);
      TValue none;
      if (!c) Fail(none, "no component named " + f.Name + " for the field of " + FRoot->ClassName());
      if (!f.Bind(FRoot, c)) Fail(none, f.Name + " is a " + c->ClassName() + ", not a " + f.Class->Name);
    }
  }

  TComponent* FRoot;
  std::vector<TComponent*> FCreated;
  std::vector<std::function<void()>> FFixups;
};

}  // namespace

TLayoutObject ParseLayout(const std::string& text) { return TParser(text).Parse(); }

namespace {

struct TPreloaded {
  std::string Text;
  std::shared_future<TLayoutObject> Layout;
};

std::mutex gPreloadMutex;
std::vector<TPreloaded> gPreloaded;

void PredecodePictures(const TLayoutObject& node) {
  for (const TLayoutProperty& p : node.Properties) {
    if (p.Value.Kind != TValue::vaBinary) continue;
    std::string cls, problem;
    std::vector<uint8_t> data;
    if (SplitPictureData(p.Value.Bytes, cls, data, problem) && SameText(cls, "TJPEGImage")) PredecodeJpeg(data);
  }
  for (const TLayoutObject& child : node.Children) PredecodePictures(child);
}

}  // namespace

void PreloadLayout(const std::string& text) {
  std::shared_future<TLayoutObject> layout = std::async(std::launch::async, [text] {
                                               TLayoutObject l = ParseLayout(text);
                                               PredecodePictures(l);
                                               return l;
                                             }).share();
  std::lock_guard<std::mutex> lock(gPreloadMutex);
  gPreloaded.push_back({text, layout});
}

void LoadLayout(TComponent* root, const std::string& text) {
  std::shared_future<TLayoutObject> preloaded;
  {
    std::lock_guard<std::mutex> lock(gPreloadMutex);
    for (auto it = gPreloaded.begin(); it != gPreloaded.end(); ++it)
      if (it->Text == text) {
        preloaded = it->Layout;
        gPreloaded.erase(it);
        break;
      }
  }
  LoadLayout(root, preloaded.valid() ? preloaded.get() : ParseLayout(text));
}

void LoadLayout(TComponent* root, const TLayoutObject& layout) { TLoader(root).Load(layout); }

std::vector<uint8_t> PictureData(const std::string& graphicClass, const std::vector<uint8_t>& bytes) {
  const size_t nameLength = std::min<size_t>(graphicClass.size(), 255);
  std::vector<uint8_t> out(1 + nameLength + 4 + bytes.size());
  out[0] = static_cast<uint8_t>(nameLength);
  std::memcpy(out.data() + 1, graphicClass.data(), nameLength);
  const uint32_t n = static_cast<uint32_t>(bytes.size());
  for (size_t i = 0; i < 4; ++i) out[1 + nameLength + i] = static_cast<uint8_t>(n >> (8 * i));
  if (!bytes.empty()) std::memcpy(out.data() + 1 + nameLength + 4, bytes.data(), bytes.size());
  return out;
}
