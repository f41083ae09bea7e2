#pragma once
// Layout descriptions: the text form of a form's content, the way the
// classic component library streams forms.
//
//   object MainForm: TMainForm
//     Caption = 'Setup'
//     object Label1: TLabel
//       Caption = 'USB && CPU TYPE'#13#10'SELECTION'
//     end
//   end
//
// Properties apply in the order the description gives them; references to
// other components resolve once the whole tree exists; handler names are the
// root's published methods. A description with an unknown class, property,
// value, component or handler, a wrong value type, or bad syntax is rejected
// with an EReadError naming the line; the components it had created are
// freed again.

#include <string>
#include <vector>

#include "Classes.h"
#include "Published.h"

struct TLayoutProperty {
  std::string Name;
  TValue Value;
};

struct TLayoutObject {
  std::string Name;
  std::string ClassName;
  int Line = 0;
  std::vector<TLayoutProperty> Properties;
  std::vector<TLayoutObject> Children;
};

// Parses the whole text; raises EReadError on bad syntax.
TLayoutObject ParseLayout(const std::string& text);

// Loads a description into an existing root component (usually a form under
// construction): its own properties, then its components, owned by it.
void LoadLayout(TComponent* root, const std::string& text);
void LoadLayout(TComponent* root, const TLayoutObject& layout);

// Reads a description on a thread of its own, JPEG pictures decoded, while
// the caller goes on (a program starting its window system); the next
// LoadLayout of the same text takes the result, errors included.
void PreloadLayout(const std::string& text);

// The length-prefixed class name, 32-bit byte count and data of a stored
// picture.
std::vector<uint8_t> PictureData(const std::string& graphicClass, const std::vector<uint8_t>& bytes);
