// Every compiled form and shortcut of the machine at once: heads contracted
// in plans, lifted binders, plans that choose, integer code, the alias,
// unbuilt-spine and argument shortcuts. With all of them off a run reduces
// as plain cells: the same output, status and pictures, more slowly.
#pragma once

namespace vesk {

void set_compiled_forms(bool on);

}  // namespace vesk
