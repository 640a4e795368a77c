#pragma once

// Registers the program's compiled-in resources (icons, emblem); needed once, before the first window, because
// they live in a static library.
void initKoltraResources();
