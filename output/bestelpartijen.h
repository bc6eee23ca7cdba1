#pragma once

#include "bestelrecord.h"

// The parties of an order as the mail and print step gathers them when it
// opens and each time it comes forward again: the grower from the grower
// database, and in the product-line mode (MixoraWaardig 1) also the grower's
// delivery address and dealer. Without that mode both stay empty, so no order
// reaches a dealer. With the /GeenBestelling switch the dealer is the test
// dealer and nothing is read of the dealers. Reads only; throws AppError on a
// database error.
BestelRecord LeesBestelPartijen(bool productLijn, bool geenBestelling);
