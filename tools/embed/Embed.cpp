// The resource embedder: turns a layout description into a C++ source that
// carries its text. A line holding {@FILE} gets that picture file (next to
// the layout) as stored picture data: the graphic's class name with a
// length byte, a 32-bit little-endian byte count and the file's bytes, in
// hexadecimal, the way layout descriptions store binary data.
//
//   Embed OUTPUT.cpp SYMBOL LAYOUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

bool ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::string ClassForFile(const std::string& name) {
  const auto dot = name.rfind('.');
  const std::string ext = dot == std::string::npos ? "" : name.substr(dot + 1);
  if (ext == "jpg" || ext == "jpeg" || ext == "JPG") return "TJPEGImage";
  if (ext == "bmp" || ext == "BMP") return "TBitmap";
  return "";
}

// Hexadecimal lines of 64 digits, indented like the line that asked for them.
std::string HexBlock(const std::string& bytes, const std::string& indent) {
  static const char* digits = "0123456789ABCDEF";
  std::string out = "{";
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i % 32 == 0) out += "\n" + indent + "  ";
    const auto b = static_cast<unsigned char>(bytes[i]);
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out + "}";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp SYMBOL LAYOUT\n", argv[0]);
    return 2;
  }
  const std::string output = argv[1], symbol = argv[2], layoutPath = argv[3];
  std::string layout;
  if (!ReadFile(layoutPath, layout)) {
    std::fprintf(stderr, "Embed: cannot read %s\n", layoutPath.c_str());
    return 1;
  }
  const auto slash = layoutPath.rfind('/');
  const std::string dir = slash == std::string::npos ? "." : layoutPath.substr(0, slash);

  std::string text;
  std::istringstream lines(layout);
  std::string line;
  while (std::getline(lines, line)) {
    const auto open = line.find("{@");
    const auto close = open == std::string::npos ? std::string::npos : line.find('}', open);
    if (close != std::string::npos) {
      const std::string file = line.substr(open + 2, close - open - 2);
      const std::string cls = ClassForFile(file);
      std::string bytes;
      if (cls.empty() || !ReadFile(dir + "/" + file, bytes)) {
        std::fprintf(stderr, "Embed: cannot embed picture %s\n", file.c_str());
        return 1;
      }
      std::string data;
      data += static_cast<char>(cls.size());
      data += cls;
      const auto n = static_cast<unsigned long>(bytes.size());
      for (int i = 0; i < 4; ++i) data += static_cast<char>((n >> (8 * i)) & 0xFF);
      data += bytes;
      const std::string indent = line.substr(0, line.find_first_not_of(' '));
      line = line.substr(0, open) + HexBlock(data, indent) + line.substr(close + 1);
    }
    text += line;
    text += '\n';
  }

  std::ofstream out(output, std::ios::binary);
  out << "// Made by the resource embedder from " << layoutPath.substr(slash + 1) << "; do not edit.\n"
      << "#include <cstddef>\n\n"
      << "extern const unsigned char " << symbol << "[] = {";
  for (size_t i = 0; i < text.size(); ++i) {
    if (i % 20 == 0) out << "\n  ";
    out << static_cast<unsigned>(static_cast<unsigned char>(text[i])) << ",";
  }
  out << "\n  0};\nextern const std::size_t " << symbol << "Size = " << text.size() << ";\n";
  return out ? 0 : 1;
}
