// What Curvix is, and pages about its tools.
#pragma once

// ABOUT_CURVIX: prints the version and what the module offers.
void aboutCurvix();

// The demonstration commands: each opens the page about one group of tools (demos/<name>.html beside the
// module), or says where the page should be when it is missing.
void demo1();   // formula curves
void demo2();   // outline and inner offsets
void demo3();   // picture vectorisation
void demo4();   // image hole nets
void demo5();   // link lines
void demo6();   // polyline tools
void demo7();   // coordinate reports and vertex numbering
void demo8();   // spline conversion and division
void demoJM();  // interpolation and blends
void demoST();  // mapping into a four-curve fence and batch intersections
void demoQM();  // affect tools
