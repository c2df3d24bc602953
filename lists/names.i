/* The application's own names for some of the list types. Both modules
   declare them, so that a parameter declared under one of them takes the
   binding's list objects and names it in its messages. */

typedef std::vector< script::Design * > DesignList;
typedef std::vector< script::Scenario * > ScenarioList;
typedef std::vector< script::PropertyDefinition > PropertyDefinitionList;
typedef std::vector< script::Variant > VariantList;
typedef std::vector< int > IntList;
typedef std::vector< int > EntityIdList;
namespace script {
typedef std::vector< script::Part * > PartList;
typedef std::vector< script::Material * > MaterialList;
typedef std::vector< script::Property * > PropertyList;
typedef std::vector< script::Variation * > VariationList;
typedef std::vector< script::BoundaryCondition > BCList;
typedef std::vector< script::InitialCondition > ICList;
typedef std::vector< script::Entity > EntityList;
}

/* An operation given one of these lists may fill or empty it. */
%apply Setup_ChangedList & {
  DesignList &, ScenarioList &, PropertyDefinitionList &, VariantList &, IntList &, EntityIdList &,
  script::PartList &, script::MaterialList &, script::PropertyList &, script::VariationList &,
  script::BCList &, script::ICList &, script::EntityList &
};
