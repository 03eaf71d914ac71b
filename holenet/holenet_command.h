// txwk: the hole-net dialog, run with the current document locked.
#pragma once

void imageHoleNetCommand();
