-- Reference database (ZelvoraH.mdb): the fertiliser supplier's fertilisers,
-- standard crops with their solutions, limits and factors, dealers, and the
-- copies of the grower's own crops (codes from 1000) and preference list.
--
-- Column types as in the grower database: SMALLINT = 16-bit Integer,
-- INTEGER = 32-bit Long, SINGLE = 32-bit float, TEXT without regard to case.
-- Element values are in mmol per litre (per kg of product for fertilisers);
-- the trace elements Fe, Mn, Zn, B, Cu and Mo in µmol.

-- Fertiliser names per language. Codes below 100 are macro products (kg or
-- litres), from 100 trace-element products (gram or ml).
CREATE TABLE MEST (
  Code SMALLINT PRIMARY KEY,
  Lang0 TEXT COLLATE NOCASE,
  Lang1 TEXT COLLATE NOCASE
);

-- Fertiliser compositions, per kg of product. KGl is the density in kg per
-- litre: exactly 1 marks a solid. PrimElement0/1 are the element codes the
-- product is offered for. Mixora 1 marks the product line; MixoraStatus 1
-- may be ordered; Mixorakoppel lists the big-bag couplings ("11,02,").
-- Mixora and MixoraStatus are flags (SMALLINT); the *_perc weight per cents
-- carry decimals (SINGLE).
CREATE TABLE MEST_Meststof (
  Code_MEST SMALLINT PRIMARY KEY,
  NO3 SINGLE DEFAULT 0, H2PO4 SINGLE DEFAULT 0, SO4 SINGLE DEFAULT 0, NH4 SINGLE DEFAULT 0,
  K SINGLE DEFAULT 0, Ca SINGLE DEFAULT 0, Mg SINGLE DEFAULT 0, Cl SINGLE DEFAULT 0,
  Si SINGLE DEFAULT 0, H SINGLE DEFAULT 0, OH SINGLE DEFAULT 0, Fe SINGLE DEFAULT 0,
  Mn SINGLE DEFAULT 0, Zn SINGLE DEFAULT 0, B SINGLE DEFAULT 0, Cu SINGLE DEFAULT 0,
  Mo SINGLE DEFAULT 0,
  KGl SINGLE DEFAULT 1,
  PrimElement0 SMALLINT DEFAULT 0,
  PrimElement1 SMALLINT DEFAULT 0,
  Mixora SMALLINT DEFAULT 0,
  MixoraStatus SMALLINT DEFAULT 0,
  Mixorakoppel TEXT COLLATE NOCASE,
  NO3_perc SINGLE DEFAULT 0, H2PO4_perc SINGLE DEFAULT 0, SO4_perc SINGLE DEFAULT 0,
  NH4_perc SINGLE DEFAULT 0, K_perc SINGLE DEFAULT 0, Ca_perc SINGLE DEFAULT 0,
  Mg_perc SINGLE DEFAULT 0, Cl_perc SINGLE DEFAULT 0, Si_perc SINGLE DEFAULT 0,
  Fe_perc SINGLE DEFAULT 0, Mn_perc SINGLE DEFAULT 0, Zn_perc SINGLE DEFAULT 0,
  B_perc SINGLE DEFAULT 0, Cu_perc SINGLE DEFAULT 0, Mo_perc SINGLE DEFAULT 0
);

-- Copy of the grower's preference list; a fertiliser without a row counts as on.
CREATE TABLE MEST_PrefList (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Code_MEST SMALLINT NOT NULL DEFAULT 0,
  UseMeststof SMALLINT DEFAULT 0
);
CREATE INDEX Code_MEST ON MEST_PrefList (Code_MEST);

-- Crops: standard crops below 1000, copies of own crops from 1000.
CREATE TABLE TEELT (
  Code SMALLINT DEFAULT 0,
  Lang0 TEXT COLLATE NOCASE,
  Lang1 TEXT COLLATE NOCASE
);
CREATE INDEX TEELT_Code ON TEELT (Code);

-- Standard solution per crop; Ec 0 means: estimate it from the ion sums.
CREATE TABLE TEELT_StdVOplossing (
  Code_Teelt SMALLINT DEFAULT 0,
  NH4 SINGLE DEFAULT 0, K SINGLE DEFAULT 0, Ca SINGLE DEFAULT 0, Mg SINGLE DEFAULT 0,
  NO3 SINGLE DEFAULT 0, Cl SINGLE DEFAULT 0, SO4 SINGLE DEFAULT 0, H2PO4 SINGLE DEFAULT 0,
  Si SINGLE DEFAULT 0, Fe SINGLE DEFAULT 0, Mn SINGLE DEFAULT 0, Zn SINGLE DEFAULT 0,
  B SINGLE DEFAULT 0, Cu SINGLE DEFAULT 0, Mo SINGLE DEFAULT 0,
  pH SINGLE DEFAULT 0,
  Ec SINGLE DEFAULT 0
);
CREATE INDEX TEELT_StdVOplossing_Code ON TEELT_StdVOplossing (Code_Teelt);

-- Stage corrections: amounts added to the standard solution.
CREATE TABLE TEELT_Stadium (
  Code_TEELT SMALLINT DEFAULT 0,
  Code SMALLINT DEFAULT 0,
  NH4 SINGLE DEFAULT 0, K SINGLE DEFAULT 0, Ca SINGLE DEFAULT 0, Mg SINGLE DEFAULT 0,
  NO3 SINGLE DEFAULT 0, Cl SINGLE DEFAULT 0, SO4 SINGLE DEFAULT 0, H2PO4 SINGLE DEFAULT 0,
  Si SINGLE DEFAULT 0, Fe SINGLE DEFAULT 0, Mn SINGLE DEFAULT 0, Zn SINGLE DEFAULT 0,
  B SINGLE DEFAULT 0, Cu SINGLE DEFAULT 0, Mo SINGLE DEFAULT 0
);
CREATE INDEX TEELT_Stadium_Code ON TEELT_Stadium (Code_TEELT, Code);

-- Stage names per language; stage code 0 is "no stage" and has no row.
CREATE TABLE TEELT_Stadium_Lang (
  Code_TEELT SMALLINT DEFAULT 0,
  Code SMALLINT DEFAULT 0,
  Lang0 TEXT COLLATE NOCASE,
  Lang1 TEXT COLLATE NOCASE
);
CREATE INDEX TEELT_Stadium_Lang_Code ON TEELT_Stadium_Lang (Code_TEELT, Code);

-- Drain limits per band 1..5 at the reference EC of TEELT_Streef; in bands
-- 4 and 5 an empty or 0 limit means no limit.
CREATE TABLE TEELT_Grenzen (
  Code_TEELT SMALLINT DEFAULT 0,
  GrensCode SMALLINT DEFAULT 0,
  K SINGLE, Ca SINGLE, Mg SINGLE, NO3 SINGLE, Cl SINGLE, SO4 SINGLE, H2PO4 SINGLE,
  Si SINGLE, Fe SINGLE, Mn SINGLE, Zn SINGLE, B SINGLE, Cu SINGLE, Mo SINGLE
);
CREATE INDEX TEELT_Grenzen_Code ON TEELT_Grenzen (Code_TEELT, GrensCode);

-- Adjustment per band: absolute for K..Si, per cent of the target for Fe..Mo.
CREATE TABLE TEELT_GrensAanpassing (
  Code_TEELT SMALLINT DEFAULT 0,
  GrensCode SMALLINT DEFAULT 0,
  K SINGLE DEFAULT 0, Ca SINGLE DEFAULT 0, Mg SINGLE DEFAULT 0, NO3 SINGLE DEFAULT 0,
  Cl SINGLE DEFAULT 0, SO4 SINGLE DEFAULT 0, H2PO4 SINGLE DEFAULT 0, Si SINGLE DEFAULT 0,
  Fe SINGLE DEFAULT 0, Mn SINGLE DEFAULT 0, Zn SINGLE DEFAULT 0, B SINGLE DEFAULT 0,
  Cu SINGLE DEFAULT 0, Mo SINGLE DEFAULT 0
);
CREATE INDEX TEELT_GrensAanpassing_Code ON TEELT_GrensAanpassing (Code_TEELT, GrensCode);

-- Reference EC of the drain limits.
CREATE TABLE TEELT_Streef (
  Code_teelt SMALLINT DEFAULT 0,
  EC SINGLE DEFAULT 0
);

-- K/Ca rule: when Kt/Cat crosses Factor within the bounds, K and Ca are added.
CREATE TABLE TEELT_KCAFactor (
  Code_TEELT SMALLINT DEFAULT 0,
  Factor SINGLE,
  KMin SINGLE DEFAULT 0, KMax SINGLE DEFAULT 0,
  CaMin SINGLE DEFAULT 0, CaMax SINGLE DEFAULT 0,
  K SINGLE DEFAULT 0, Ca SINGLE DEFAULT 0
);

-- Ammonium classes 6..8: amount added to NH4 and NO3 of the adjusted target.
CREATE TABLE TEELT_NH4Aanpassing (
  Code_TEELT SMALLINT DEFAULT 0,
  Class6 SINGLE DEFAULT 0,
  Class7 SINGLE DEFAULT 0,
  Class8 SINGLE DEFAULT 0
);

-- Dealers; only the order reads Bestel-Email.
CREATE TABLE ALG_Handelaar (
  Code SMALLINT DEFAULT 0,
  Handelaar TEXT COLLATE NOCASE,
  Adres TEXT COLLATE NOCASE,
  Postcode TEXT COLLATE NOCASE,
  Woonplaats TEXT COLLATE NOCASE,
  Contactpersoon TEXT COLLATE NOCASE,
  Telefoon TEXT COLLATE NOCASE,
  "Bestel-Email" TEXT COLLATE NOCASE
);
