// Replaced by the batch library.
