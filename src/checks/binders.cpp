#include "checks/binders.hpp"

#include "front/names.hpp"

namespace vesk {

bool is_name_binder(const Term* bound) {
    return is_leaf_cell(bound) && is_name(leaf_view(bound));
}

}  // namespace vesk
