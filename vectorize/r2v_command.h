// R2V: the picture vectorising dialog, run on the locked current document.
#pragma once

void r2vCommand();
