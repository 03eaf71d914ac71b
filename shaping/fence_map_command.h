// PLMAP4: curves drawn in a rectangle are drawn again, stretched onto a fence of four curves.
#pragma once

void plmap4Command();
