#pragma once

// The composition root's one piece of wiring: the hand-over between the two windows, which
// never include each other and meet only through app/'s window switch.
namespace program {

// Lets the window switch open the batch window, ask whether it is open and give it paths.
void ConnectBatchWindow();

}  // namespace program
