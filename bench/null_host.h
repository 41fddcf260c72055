#pragma once

// A host whose natives cost nothing: every operation returns at once, records
// nothing and answers from one static result array, so a benchmark of a pass
// times the plug-in's own work alone.

// While carrying, every native answers yes except the completion test, so each
// pass is the steady carrying frame: prompt upkeep and the completion test, no
// throw. Otherwise every native answers no, which makes each pass idle.
void setNullHostCarrying(bool carrying);
