// Fills the class registry with the eleven element classes in their registration order.
#pragma once

namespace ox::elements {

void RegisterElementClasses();

}  // namespace ox::elements
