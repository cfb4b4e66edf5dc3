// The one way a run ends when the host cannot give it more memory. Any
// allocation that fails (a cell, a leaf text, a string or vector growing in
// any stage) comes here: standard output is flushed, a fixed error picture
// with the code "space" naming what the run was doing goes to standard
// error, and the process exits with status 128. Nothing unwinds, so no code
// needs to be safe against an allocation failing half way.
#pragma once

namespace vesk {

// What the run is doing, for the message: a static text such as "running
// the program" (borrowed for the rest of the process). The driver sets it
// as it enters each stage.
void set_activity(const char* activity);
const char* current_activity();

// Ends the process as described above. Allocates nothing.
[[noreturn]] void out_of_memory();

// Whether the picture carries colour escapes (it does unless told).
void set_out_of_memory_colour(bool colour);

// Makes out_of_memory the handler of every failing operator new, so that
// no std::bad_alloc is ever thrown.
void install_out_of_memory_handler();

}  // namespace vesk
