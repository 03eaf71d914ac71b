// The host's dialog commands (DIALOGDEMO), registered in the group "CVXUI".
#pragma once

namespace cvx::ui {
void registerDialogCommands();
}
