// Placeholder source for a layer that has no code of its own yet.
