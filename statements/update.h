// UPDATE world: changes a non-empty map cell in one step.
#pragma once

void updateStatement();
