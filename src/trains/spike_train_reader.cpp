#include "trains/spike_train_reader.hpp"
