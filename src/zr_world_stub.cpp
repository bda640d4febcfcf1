// Temporary world until the world classes exist.
#include "zr_base.h"
#include "zr_expl.h"
#include "zr_monst.h"
#include "zr_weapon.h"
ZrBase::~ZrBase() = default;
ZrMonstList::~ZrMonstList() = default;
ZrWeaponList::~ZrWeaponList() = default;
ZrExplList::~ZrExplList() = default;
