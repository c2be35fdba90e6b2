// Renumbering of input trays for the models of list A.
#pragma once

// The tray number to send for the model: models outside list A keep the
// tray; list-A models renumber some trays.
int mapTrayForModel(int tray, int modelId);
