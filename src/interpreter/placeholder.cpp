// Replaced by the register file and engine sources.
