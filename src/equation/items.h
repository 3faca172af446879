// Every item class of the equation tree.
#pragma once
#include "equation/item_grid.h"
#include "equation/items_accents.h"
#include "equation/items_fences.h"
#include "equation/items_fraction.h"
#include "equation/items_functions.h"
#include "equation/items_operators.h"
#include "equation/items_rows.h"
#include "equation/items_scripts.h"
#include "equation/items_symbols.h"
#include "equation/items_text.h"
