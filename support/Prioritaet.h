#pragma once
// Lowers the priority of the calling thread to the lowest the system gives, so that work it
// does on the side (thinking on the opponent's time) yields the processor to every other
// program. false where the system cannot do it for one thread.
bool NiedrigePrioritaet();
