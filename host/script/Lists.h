// The vectors in which the application's scripting interface passes
// collections, under the application's own names for them.
#pragma once

#include <Clt/Vector.h>
#include <script/Object.h>
#include <script/Variant.h>

#include <vector>

typedef std::vector<int> IntList;
// The ids of entities, as the scenario's and parts' operations take them.
typedef std::vector<int> EntityIdList;

namespace script {
typedef std::vector<Part *> PartList;
typedef std::vector<Material *> MaterialList;
typedef std::vector<Property *> PropertyList;
typedef std::vector<Variation *> VariationList;
typedef std::vector<BoundaryCondition> BCList;
typedef std::vector<InitialCondition> ICList;
typedef std::vector<Entity> EntityList;
}  // namespace script
