// Progress of a long run. A command tells how much there is to do and how far it got; the editor shows it on
// the command line once the run has lasted a second (a line at each tenth), and a front end that installs a
// sink shows it as it likes (a status bar) instead.
#pragma once

using CvxProgressSink = void (*)(const wchar_t* label, long long done, long long total);

void cvxProgressBegin(const wchar_t* label, long long total);
void cvxProgressStep(long long done);
void cvxProgressEnd();
// Installs the sink that shows progress (null: the command line); returns the one it replaces.
CvxProgressSink cvxSetProgressSink(CvxProgressSink sink);
