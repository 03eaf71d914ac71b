// What the LIST command prints about an entity: its kind, layer, colour, space and handle, then its geometry
// (points, lengths, angles in degrees, areas of closed shapes), one line of text each.
#pragma once

#include <string>
#include <vector>

class AcDbEntity;

namespace cvx::editor::commands {

std::vector<std::wstring> listText(const AcDbEntity* ent);

}  // namespace cvx::editor::commands
