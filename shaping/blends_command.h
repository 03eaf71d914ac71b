// PLBLENDS: a family of gradient splines from one curve to another, as the command table registers it.
#pragma once

void plblendsCommand();
