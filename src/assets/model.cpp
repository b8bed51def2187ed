// model.cpp -- the game's one model record, emptied and read again by each display-list build.
#include "assets/model.h"

Model sceneModel;
