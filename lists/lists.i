/* ==========================================================================
 * The list types, one line each: the Python name, the element type, and the
 * names under which the application's interface also declares the list.
 * ========================================================================== */

%{
#include <script/Lists.h>
%}

/* Declares one list type: its list argument rule, the rule for a list that
   an operation changes (swap), its class, and the descriptor by which its
   elements cross. */
%define %setup_list(Name, Element)
%apply const Setup_AnyList &items { const std::vector< Element, std::allocator< Element > > &items };
%apply Setup_ChangedList & { std::vector< Element > &, std::vector< Element, std::allocator< Element > > & };
%template(Name) std::vector< Element >;
%init %{
  Setup_list::Descriptor< Element >::learn(#Element);
%}
%enddef

%setup_list(VectorList, Clt::Vector)
%setup_list(DesignList, script::Design *)
%setup_list(ScenarioList, script::Scenario *)
%setup_list(PropertyDefinitionList, script::PropertyDefinition)
%setup_list(VariantList, script::Variant)
%setup_list(PartList, script::Part *)
%setup_list(EntityIdList, int)
%setup_list(MaterialList, script::Material *)
%setup_list(PropertyList, script::Property *)
%setup_list(VariationList, script::Variation *)
%setup_list(BCList, script::BoundaryCondition)
%setup_list(ICList, script::InitialCondition)
%setup_list(EntityList, script::Entity)

%include "lists/names.i"

/* Only the lists' own operations report C++ exceptions. */
%exception %setup_host_call
