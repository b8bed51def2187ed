// model.cpp -- the game's one model record; it only grows during a run.
#include "assets/model.h"

Model sceneModel;
