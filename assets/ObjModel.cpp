#include "assets/ObjModel.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "assets/Lstr.h"
#include "platform/Paths.h"

namespace {

// Lines of a text, without their "\n" or "\r\n".
class TLineReader {
 public:
  explicit TLineReader(const std::string& text) : text_(text) {}
  bool Next(std::string& line) {
    if (position_ >= text_.size()) return false;
    std::size_t end = text_.find('\n', position_);
    if (end == std::string::npos) end = text_.size();
    line.assign(text_, position_, end - position_);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    position_ = end + 1;
    return true;
  }

 private:
  const std::string& text_;
  std::size_t position_ = 0;
};

bool StartsWith(const std::string& line, const char* keyword) {
  return line.rfind(keyword, 0) == 0;
}

// Cuts at blanks as TextBefore does: a token runs to the next blank found from its second
// character on, and the cut goes on after that one blank. A token of blanks alone (a run
// of several blanks) holds no number and is passed over. At most `limit` tokens.
std::vector<std::string> SplitAtBlanks(const std::string& text, std::size_t limit) {
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start < text.size() && tokens.size() < limit) {
    std::size_t blank = text.find(' ', start + 1);
    if (blank == std::string::npos) blank = text.size();
    if (text.find_first_not_of(' ', start) < blank) tokens.push_back(text.substr(start, blank - start));
    start = blank + 1;
  }
  return tokens;
}

// Up to three numbers; the ones a line leaves out stay 0.
std::array<double, 3> ReadThree(const std::string& text) {
  std::array<double, 3> values{};
  const auto tokens = SplitAtBlanks(text, 3);
  for (std::size_t i = 0; i < tokens.size(); ++i) values[i] = ReadNumber(tokens[i]);
  return values;
}

T_point ParseVector(const std::string& text) {
  const auto values = ReadThree(text);
  return {values[0], values[1], values[2]};
}

t_vt ParseTexCoord(const std::string& text) {
  t_vt element{};
  const auto tokens = SplitAtBlanks(text, 3);
  for (std::size_t i = 0; i < tokens.size(); ++i) element[i] = {ReadNumber(tokens[i]), 1.0};
  return element;
}

// Forms v, v/t, v//n and v/t/n.
t_vt ParseFaceCorner(const std::string& token) {
  t_vt corner{};
  const std::size_t slash = token.find('/', 1);
  corner[0] = {ReadNumber(token.substr(0, slash)), 1.0};
  if (slash == std::string::npos) return corner;
  const std::string rest = token.substr(slash + 1);
  if (!rest.empty() && rest[0] == '/') {
    corner[2] = {ReadNumber(rest.substr(1)), 1.0};
    return corner;
  }
  const std::size_t second = rest.find('/', 1);
  corner[1] = {ReadNumber(rest.substr(0, second)), 1.0};
  if (second != std::string::npos) corner[2] = {ReadNumber(rest.substr(second + 1)), 1.0};
  return corner;
}

// Any number of corners; blanks at the end of the line give none.
t_tab_vt ParseFace(const std::string& text) {
  t_tab_vt corners;
  for (const auto& token : SplitAtBlanks(text, text.size())) corners.push_back(ParseFaceCorner(token));
  return corners;
}

void GrowBounds(T_bounding_box& box, const T_point& p, bool first) {
  if (first) {
    box = {p.x, p.x, p.y, p.y, p.z, p.z};
    return;
  }
  box[0] = std::min(box[0], p.x);
  box[1] = std::max(box[1], p.x);
  box[2] = std::max(box[2], p.y);
  box[3] = std::min(box[3], p.y);
  box[4] = std::max(box[4], p.z);
  box[5] = std::min(box[5], p.z);
}

t_colour ParseMaterialColour(const std::string& text) {
  const auto values = ReadThree(text);
  return {static_cast<float>(values[0]), static_cast<float>(values[1]), static_cast<float>(values[2]), 1.0f};
}

// One line of a material's block.
void ParseMaterialLine(const std::string& line, const std::string& objFileName, t_rec_mtl& material) {
  if (StartsWith(line, "Kd ")) {
    material.diffuse = ParseMaterialColour(line.substr(3));
    material.hasDiffuse = true;
  } else if (StartsWith(line, "Ka ")) {
    material.ambient = ParseMaterialColour(line.substr(3));
    material.hasAmbient = true;
  } else if (StartsWith(line, "Ks ")) {
    material.specular = ParseMaterialColour(line.substr(3));
    material.hasSpecular = true;
  } else if (StartsWith(line, "Ni ")) {
    material.ni = static_cast<float>(ReadNumber(line.substr(3)));
    material.hasNi = true;
  } else if (StartsWith(line, "Ns ")) {
    material.ns = static_cast<float>(ReadNumber(line.substr(3)));
    material.hasNs = true;
  } else if (StartsWith(line, "map_Kd ")) {
    std::string folder;
    TextUpToLast(objFileName, '/', folder);  // the picture lies beside the mesh
    material.texturePath = folder + line.substr(7);
    material.hasTexture = true;
  }
}

// The block after "newmtl <name>", up to the next "newmtl " line or the end.
t_rec_mtl ParseMaterial(const std::string& mtlText, const std::string& name, const std::string& objFileName) {
  t_rec_mtl material;
  material.name = name;
  TLineReader lines(mtlText);
  std::string line;
  const std::string header = "newmtl " + name;
  while (lines.Next(line) && line != header) {
  }
  while (lines.Next(line) && !StartsWith(line, "newmtl ")) ParseMaterialLine(line, objFileName, material);
  return material;
}

class TObjParser {
 public:
  TObjParser(const std::string& objFileName, const TMtlReader& readMtl)
      : objFileName_(objFileName), readMtl_(readMtl) {}

  void ParseLine(const std::string& line);
  t_OBJ_item Take() { return std::move(item_); }

 private:
  void OnGroup(const std::string& name);
  void OnUseMaterial(const std::string& name);
  void AddGroup(const std::string& name);
  int MaterialPosition(const std::string& name) const;

  const std::string& objFileName_;
  const TMtlReader& readMtl_;
  t_OBJ_item item_;
  bool groupJustDeclared_ = false;
};

void TObjParser::ParseLine(const std::string& line) {
  if (IsBlank(line)) return;
  if (StartsWith(line, "v ")) {
    item_.vertices.push_back(ParseVector(line.substr(2)));
    GrowBounds(item_.bounds, item_.vertices.back(), item_.vertices.size() == 1);
  } else if (StartsWith(line, "vn ")) {
    item_.normals.push_back(ParseVector(line.substr(2)));  // the blank left in front is trimmed
  } else if (StartsWith(line, "vt ")) {
    item_.texCoords.push_back(ParseTexCoord(line.substr(2)));
  } else if (StartsWith(line, "f ")) {
    item_.faces.push_back(ParseFace(line.substr(2)));
  } else if (StartsWith(line, "g ")) {
    OnGroup(line.substr(2));
    return;
  } else if (line.size() >= 8 && StartsWith(line, "usemtl ")) {
    OnUseMaterial(line.substr(7));
  } else {
    return;  // comments, smoothing groups, object names, "mtllib": the MTL path is fixed
  }
  groupJustDeclared_ = false;
}

// "default" and "skinCluster..." are the modelling tool's own groups, not the mesh's.
void TObjParser::OnGroup(const std::string& name) {
  if (name != "default" && !StartsWith(name, "skinCluster")) AddGroup(name);
  groupJustDeclared_ = true;
}

// A material right after a group line belongs to that group; otherwise it opens a group
// of its own, named by its number.
void TObjParser::OnUseMaterial(const std::string& name) {
  if (!groupJustDeclared_ || item_.groups.empty()) AddGroup(std::to_string(item_.groups.size() + 1));
  if (MaterialPosition(name) < 0) {
    std::string mtlText;
    if (!readMtl_(mtlText)) throw std::runtime_error("Cannot read material file \"" + MtlFileNameOf(objFileName_) + "\"");
    item_.materials.push_back(ParseMaterial(mtlText, name, objFileName_));
  }
  item_.groups.back().materialName = name;
  item_.groups.back().materialIndex = MaterialPosition(name);
}

void TObjParser::AddGroup(const std::string& name) {
  t_rec_grp group;
  group.name = name;
  group.firstFace = static_cast<std::int32_t>(item_.faces.size() + 1);
  item_.groups.push_back(std::move(group));
}

int TObjParser::MaterialPosition(const std::string& name) const {
  for (std::size_t i = 0; i < item_.materials.size(); ++i) {
    if (item_.materials[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string MtlFileNameOf(const std::string& objFileName) {
  if (objFileName.size() < 4) return objFileName + ".mtl";
  return objFileName.substr(0, objFileName.size() - 4) + ".mtl";
}

t_OBJ_item ParseObj(const std::string& objFileName, const std::string& objText, const TMtlReader& readMtl) {
  TObjParser parser(objFileName, readMtl);
  TLineReader lines(objText);
  std::string line;
  while (lines.Next(line)) parser.ParseLine(line);
  return parser.Take();
}

t_OBJ_item ReadObjFile(const std::string& objFileName) {
  std::string text;
  if (!ReadFileText(objFileName, text)) throw std::runtime_error("Cannot read mesh file \"" + objFileName + "\"");
  const std::string mtlFileName = MtlFileNameOf(objFileName);
  return ParseObj(objFileName, text, [&mtlFileName](std::string& mtlText) { return ReadFileText(mtlFileName, mtlText); });
}

long CornerIndex(const t_obj_pair& index, std::size_t count) {
  if (index.present != 1.0) return -1;
  const double number = std::ceil(index.value);
  if (!(number >= 1.0 && number <= static_cast<double>(count))) return -1;  // NaN fails too
  return static_cast<long>(number) - 1;
}

std::vector<int> MaterialChanges(const t_OBJ_item& item) {
  std::vector<int> changes(item.faces.size(), -1);
  const int materialCount = static_cast<int>(item.materials.size());
  std::size_t cursor = 0;
  for (std::size_t face = 1; face <= item.faces.size(); ++face) {
    const t_rec_grp* chosen = nullptr;
    for (; cursor < item.groups.size() && item.groups[cursor].firstFace <= static_cast<long>(face); ++cursor) {
      const t_rec_grp& group = item.groups[cursor];
      if (chosen == nullptr || !group.materialName.empty()) chosen = &group;
    }
    if (chosen != nullptr && chosen->materialIndex >= 0 && chosen->materialIndex < materialCount) {
      changes[face - 1] = chosen->materialIndex;
    }
  }
  return changes;
}
