// The map renderer draws the current map into the map picture with QtGui.
#pragma once
