-- Fertilisers of the default reference database: the names per language
-- (MEST) and the compositions (MEST_Meststof). Lang0 is Dutch, Lang1 English,
-- as row 0 of the language database lists them; every language offered there
-- needs a name here, or the fertiliser queries fail.
--
-- Codes below 100 are macro products, dosed in kg (solids) or litres
-- (liquids); codes from 100 are trace-element products, dosed in gram or ml.
--
-- Units of MEST_Meststof:
-- * The 17 element columns hold mol per kg of product. The recipe divides a
--   requirement in mol (macro) or mmol (trace, from µmol/l targets) by the
--   content and gets kg or gram, so for codes from 100 the same figures read
--   as mmol per gram. Liquids carry their contents per kg of liquid too;
--   litres are kg / KGl.
-- * KGl is kg per litre: exactly 1 marks a solid, any other value is the
--   density of a liquid. It must never be empty or 1 for a liquid.
-- * H is the acid released per kg at nutrient-solution pH (about 5.5):
--   HNO3 1, H2SO4 2, H3PO4 1 (to H2PO4). OH is the base per kg.
-- * PrimElement0/1 are the element codes a product is offered for: 1 NH4,
--   2 K, 4 Ca, 5 Mg, 6 NO3, 7 Cl, 8 SO4, 9 H2PO4, 10 acid, 11 lye, 15 Si,
--   20 Fe, 21 Mn, 22 Zn, 23 B, 24 Cu, 25 Mo, 50 second phosphorus source;
--   0 in PrimElement1 means none.
-- * The *_perc columns are per cent by weight in the form the order register
--   prints them: NO3_perc and NH4_perc as N, H2PO4_perc as P, K_perc as K2O,
--   Ca_perc as CaO, Mg_perc as MgO, the others as the ion or element itself
--   (SO4, Cl, Si, Fe ... Mo); liquids w/w.
--
-- Sources:
-- * Formula masses from the IUPAC 2021 standard atomic weights (CIAAW,
--   https://www.ciaaw.org/atomic-weights.htm); for solutions the mass of the
--   dissolved compound. Oxides: K2O 94.195, CaO 56.077, MgO 40.304; P 30.974,
--   N 14.007 g/mol.
-- * Greenhouse-grade calcium nitrate as the double salt
--   5Ca(NO3)2.NH4NO3.10H2O (https://en.wikipedia.org/wiki/Calcium_nitrate).
-- * Densities of nitric acid from the density table of Perry's Chemical
--   Engineers' Handbook (https://handymath.com/cgi-bin/nitrictble2.cgi);
--   phosphoric acid from the ECHA registration dossier (85 % 1.69, 75 %
--   1.57-1.58, 59 % interpolated 1.42,
--   https://chesar.echa.europa.eu/web/guest/registration-dossier/-/registered-dossier/15531/4/5);
--   sulphuric acid, potassium hydroxide and ammonium nitrate solution from the
--   CRC Handbook of Chemistry and Physics, "Concentrative properties of
--   aqueous solutions".
--
-- Assumptions of the reference data carried here:
-- * A1: trace products (codes from 100) carry only their trace element. Their
--   side ions (SO4 of the sulphates, Na of borax and molybdate, NH4 of
--   ammonium molybdate) are left out: in gram-dosed units a macro content
--   would be subtracted 1000 times too large and would change the solving
--   order, while at normal doses it is below 0.5 % of the macro targets.
--   Likewise no macro product carries trace elements.
-- * A2: the liquid grades (calcium nitrate 54 % of the greenhouse salt,
--   magnesium nitrate 35 %, ammonium nitrate 18 % N, Fe-DTPA 3 %) and the
--   chelate strengths are typical grades, not named products. The densities
--   of liquid calcium nitrate (1.46), liquid magnesium nitrate (1.32),
--   Fe-DTPA 3 % (1.25) and potassium silicate (1.26) are estimates (+/-0.03).
--   Solids use the stoichiometric composition.
-- * A5: phosphoric acids and MAP are offered as main or second phosphorus
--   source (9 and 50), not as acid; nitric and sulphuric acid are the acids.
--   Trace products have PrimElement1 0, so that for example manganese
--   sulphate is never offered in the SO4 row.
-- * A6: the weight per cents of liquids are w/w, so the order register
--   (which counts every amount as kg) under-counts liquids by their density.
-- * A13: product-line test values. MixoraStatus 1 on every product, so every
--   product may be ordered. Mixora 1 marks a small product line that still
--   allows a complete recipe (one product for every row of the tomato
--   example) while leaving out the alternatives. Mixorakoppel lists big-bag
--   couplings, two digits and a comma each ("01,02,": blend 1 and blend 2);
--   calcium nitrate holds exactly "1,", which the reload of stored blends
--   needs (it looks for a value of one digit and a comma). Liquids and trace
--   products stay out of the blends.
-- A3 (potassium silicate) and A4 (lyes) are noted at their products.

INSERT INTO MEST (Code, Lang0, Lang1) VALUES
  (1, 'Kalksalpeter', 'Calcium nitrate (greenhouse grade)'),
  (2, 'Kalksalpeter vloeibaar', 'Calcium nitrate, liquid'),
  (3, 'Kalisalpeter', 'Potassium nitrate'),
  (4, 'Monokalifosfaat (MKP)', 'Monopotassium phosphate (MKP)'),
  (5, 'Monoammoniumfosfaat (MAP)', 'Monoammonium phosphate (MAP)'),
  (6, 'Bitterzout (magnesiumsulfaat)', 'Magnesium sulphate heptahydrate (Epsom salt)'),
  (7, 'Magnesiumnitraat', 'Magnesium nitrate hexahydrate'),
  (8, 'Magnesiumnitraat vloeibaar', 'Magnesium nitrate, liquid'),
  (9, 'Kaliumsulfaat', 'Potassium sulphate'),
  (10, 'Ammoniumnitraat', 'Ammonium nitrate'),
  (11, 'Ammoniumnitraat vloeibaar 18 % N', 'Ammonium nitrate solution 18 % N'),
  (12, 'Zwavelzure ammoniak', 'Ammonium sulphate'),
  (13, 'Kaliumchloride', 'Potassium chloride'),
  (14, 'Calciumchloride', 'Calcium chloride dihydrate'),
  (15, 'Salpeterzuur 38 %', 'Nitric acid 38 %'),
  (16, 'Salpeterzuur 60 %', 'Nitric acid 60 %'),
  (17, 'Fosforzuur 59 %', 'Phosphoric acid 59 %'),
  (18, 'Fosforzuur 75 %', 'Phosphoric acid 75 %'),
  (19, 'Fosforzuur 85 %', 'Phosphoric acid 85 %'),
  (20, 'Zwavelzuur 37 %', 'Sulphuric acid 37 %'),
  (21, 'Zwavelzuur 96 %', 'Sulphuric acid 96 %'),
  (22, 'Kaliloog 50 %', 'Potassium hydroxide 50 % (potash lye)'),
  (23, 'Kaliumbicarbonaat', 'Potassium bicarbonate'),
  (24, 'Kaliumsilicaat vloeibaar', 'Potassium silicate solution'),
  (101, 'Fe-DTPA 3 % vloeibaar', 'Iron chelate DTPA 3 %, liquid'),
  (102, 'Fe-DTPA 6 %', 'Iron chelate DTPA 6 %'),
  (103, 'Fe-EDDHA 6 %', 'Iron chelate EDDHA 6 %'),
  (104, 'Fe-EDTA 13 %', 'Iron chelate EDTA 13 %'),
  (105, 'Mangaansulfaat', 'Manganese sulphate monohydrate'),
  (106, 'Mn-EDTA 13 %', 'Manganese chelate EDTA 13 %'),
  (107, 'Zinksulfaat', 'Zinc sulphate heptahydrate'),
  (108, 'Zn-EDTA 15 %', 'Zinc chelate EDTA 15 %'),
  (109, 'Borax', 'Borax (sodium tetraborate decahydrate)'),
  (110, 'Solubor', 'Solubor (disodium octaborate tetrahydrate)'),
  (111, 'Boorzuur', 'Boric acid'),
  (112, 'Kopersulfaat', 'Copper sulphate pentahydrate'),
  (113, 'Cu-EDTA 15 %', 'Copper chelate EDTA 15 %'),
  (114, 'Natriummolybdaat', 'Sodium molybdate dihydrate'),
  (115, 'Ammoniummolybdaat', 'Ammonium heptamolybdate tetrahydrate');

-- Macro products.
-- 1 Kalksalpeter: 5Ca(NO3)2·NH4NO3·10H2O, solid, M 1080.62 g/mol
INSERT INTO MEST_Meststof (Code_MEST, NO3, NH4, Ca, KGl, PrimElement0, PrimElement1, NO3_perc, NH4_perc, Ca_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (1, 10.179, 0.925, 4.627, 1, 4, 6, 14.26, 1.3, 25.95, 1, 1, '1,');
-- 2 Kalksalpeter vloeibaar: 54 % w/w of the greenhouse-grade salt in water (≈8.4 % N, 10 % Ca), liquid, M 1080.62 g/mol
-- assumption A2: grade and density estimated.
INSERT INTO MEST_Meststof (Code_MEST, NO3, NH4, Ca, KGl, PrimElement0, PrimElement1, NO3_perc, NH4_perc, Ca_perc, Mixora, MixoraStatus)
  VALUES (2, 5.497, 0.5, 2.499, 1.46, 4, 6, 7.7, 0.7, 14.01, 0, 1);
-- 3 Kalisalpeter: KNO3, solid, M 101.1 g/mol
INSERT INTO MEST_Meststof (Code_MEST, NO3, K, KGl, PrimElement0, PrimElement1, NO3_perc, K_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (3, 9.891, 9.891, 1, 2, 6, 13.85, 46.58, 1, 1, '01,02,');
-- 4 Monokalifosfaat (MKP): KH2PO4, solid, M 136.08 g/mol
INSERT INTO MEST_Meststof (Code_MEST, H2PO4, K, KGl, PrimElement0, PrimElement1, H2PO4_perc, K_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (4, 7.348, 7.348, 1, 9, 2, 22.76, 34.61, 1, 1, '02,');
-- 5 Monoammoniumfosfaat (MAP): NH4H2PO4, solid, M 115.03 g/mol
-- assumption A5: offered as main or second phosphorus source.
INSERT INTO MEST_Meststof (Code_MEST, H2PO4, NH4, KGl, PrimElement0, PrimElement1, H2PO4_perc, NH4_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (5, 8.694, 8.694, 1, 9, 50, 26.93, 12.18, 1, 1, '02,');
-- 6 Bitterzout (magnesiumsulfaat): MgSO4·7H2O, solid, M 246.47 g/mol
INSERT INTO MEST_Meststof (Code_MEST, SO4, Mg, KGl, PrimElement0, PrimElement1, SO4_perc, Mg_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (6, 4.057, 4.057, 1, 5, 8, 38.97, 16.35, 1, 1, '02,');
-- 7 Magnesiumnitraat: Mg(NO3)2·6H2O, solid, M 256.4 g/mol
INSERT INTO MEST_Meststof (Code_MEST, NO3, Mg, KGl, PrimElement0, PrimElement1, NO3_perc, Mg_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (7, 7.8, 3.9, 1, 5, 6, 10.93, 15.72, 1, 1, '01,');
-- 8 Magnesiumnitraat vloeibaar: 35 % w/w Mg(NO3)2 in water (≈6.6 % N, 9.5 % MgO), liquid, M 148.31 g/mol
-- assumption A2: grade and density estimated.
INSERT INTO MEST_Meststof (Code_MEST, NO3, Mg, KGl, PrimElement0, PrimElement1, NO3_perc, Mg_perc, Mixora, MixoraStatus)
  VALUES (8, 4.72, 2.36, 1.32, 5, 6, 6.61, 9.51, 0, 1);
-- 9 Kaliumsulfaat: K2SO4, solid, M 174.25 g/mol
INSERT INTO MEST_Meststof (Code_MEST, SO4, K, KGl, PrimElement0, PrimElement1, SO4_perc, K_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (9, 5.739, 11.478, 1, 2, 8, 55.12, 54.06, 1, 1, '02,');
-- 10 Ammoniumnitraat: NH4NO3, solid, M 80.04 g/mol
INSERT INTO MEST_Meststof (Code_MEST, NO3, NH4, KGl, PrimElement0, PrimElement1, NO3_perc, NH4_perc, Mixora, MixoraStatus)
  VALUES (10, 12.493, 12.493, 1, 1, 6, 17.5, 17.5, 0, 1);
-- 11 Ammoniumnitraat vloeibaar 18 % N: 51.4 % w/w NH4NO3 in water (18 % N), liquid, M 80.04 g/mol
-- assumption A2: typical grade; density from the CRC Handbook.
INSERT INTO MEST_Meststof (Code_MEST, NO3, NH4, KGl, PrimElement0, PrimElement1, NO3_perc, NH4_perc, Mixora, MixoraStatus)
  VALUES (11, 6.425, 6.425, 1.23, 1, 6, 9, 9, 1, 1);
-- 12 Zwavelzure ammoniak: (NH4)2SO4, solid, M 132.13 g/mol
INSERT INTO MEST_Meststof (Code_MEST, SO4, NH4, KGl, PrimElement0, PrimElement1, SO4_perc, NH4_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (12, 7.568, 15.136, 1, 1, 8, 72.7, 21.2, 1, 1, '02,');
-- 13 Kaliumchloride: KCl, solid, M 74.55 g/mol
INSERT INTO MEST_Meststof (Code_MEST, K, Cl, KGl, PrimElement0, PrimElement1, K_perc, Cl_perc, Mixora, MixoraStatus, Mixorakoppel)
  VALUES (13, 13.414, 13.414, 1, 2, 7, 63.18, 47.55, 1, 1, '01,02,');
-- 14 Calciumchloride: CaCl2·2H2O, solid, M 147.01 g/mol
INSERT INTO MEST_Meststof (Code_MEST, Ca, Cl, KGl, PrimElement0, PrimElement1, Ca_perc, Cl_perc, Mixora, MixoraStatus)
  VALUES (14, 6.802, 13.605, 1, 4, 7, 38.15, 48.23, 0, 1);
-- 15 Salpeterzuur 38 %: HNO3, 38 % w/w, liquid, M 63.01 g/mol
INSERT INTO MEST_Meststof (Code_MEST, NO3, H, KGl, PrimElement0, PrimElement1, NO3_perc, Mixora, MixoraStatus)
  VALUES (15, 6.031, 6.031, 1.235, 10, 6, 8.45, 1, 1);
-- 16 Salpeterzuur 60 %: HNO3, 60 % w/w, liquid, M 63.01 g/mol
INSERT INTO MEST_Meststof (Code_MEST, NO3, H, KGl, PrimElement0, PrimElement1, NO3_perc, Mixora, MixoraStatus)
  VALUES (16, 9.522, 9.522, 1.367, 10, 6, 13.34, 0, 1);
-- 17 Fosforzuur 59 %: H3PO4, 59 % w/w, liquid, M 97.99 g/mol
-- assumption A5: offered as phosphorus source (9, 50), not as acid.
INSERT INTO MEST_Meststof (Code_MEST, H2PO4, H, KGl, PrimElement0, PrimElement1, H2PO4_perc, Mixora, MixoraStatus)
  VALUES (17, 6.021, 6.021, 1.42, 9, 50, 18.65, 0, 1);
-- 18 Fosforzuur 75 %: H3PO4, 75 % w/w, liquid, M 97.99 g/mol
-- assumption A5: offered as phosphorus source (9, 50), not as acid.
INSERT INTO MEST_Meststof (Code_MEST, H2PO4, H, KGl, PrimElement0, PrimElement1, H2PO4_perc, Mixora, MixoraStatus)
  VALUES (18, 7.654, 7.654, 1.579, 9, 50, 23.71, 0, 1);
-- 19 Fosforzuur 85 %: H3PO4, 85 % w/w, liquid, M 97.99 g/mol
-- assumption A5: offered as phosphorus source (9, 50), not as acid.
INSERT INTO MEST_Meststof (Code_MEST, H2PO4, H, KGl, PrimElement0, PrimElement1, H2PO4_perc, Mixora, MixoraStatus)
  VALUES (19, 8.674, 8.674, 1.685, 9, 50, 26.87, 0, 1);
-- 20 Zwavelzuur 37 %: H2SO4, 37 % w/w, liquid, M 98.07 g/mol
INSERT INTO MEST_Meststof (Code_MEST, SO4, H, KGl, PrimElement0, PrimElement1, SO4_perc, Mixora, MixoraStatus)
  VALUES (20, 3.773, 7.545, 1.278, 10, 8, 36.24, 0, 1);
-- 21 Zwavelzuur 96 %: H2SO4, 96 % w/w, liquid, M 98.07 g/mol
INSERT INTO MEST_Meststof (Code_MEST, SO4, H, KGl, PrimElement0, PrimElement1, SO4_perc, Mixora, MixoraStatus)
  VALUES (21, 9.789, 19.577, 1.835, 10, 8, 94.03, 0, 1);
-- 22 Kaliloog 50 %: KOH, 50 % w/w, liquid, M 56.11 g/mol
-- assumption A4: lyes carry their base as OH and are offered in the acid/lye row;
-- the recipe never doses lye, so such a line stays at 0 and is not shown.
INSERT INTO MEST_Meststof (Code_MEST, K, OH, KGl, PrimElement0, PrimElement1, K_perc, Mixora, MixoraStatus)
  VALUES (22, 8.912, 8.912, 1.51, 11, 2, 41.97, 0, 1);
-- 23 Kaliumbicarbonaat: KHCO3, solid, M 100.11 g/mol
-- assumption A4: as potassium hydroxide.
INSERT INTO MEST_Meststof (Code_MEST, K, OH, KGl, PrimElement0, PrimElement1, K_perc, Mixora, MixoraStatus)
  VALUES (23, 9.989, 9.989, 1, 11, 2, 47.04, 0, 1);
-- 24 Kaliumsilicaat vloeibaar: potassium water glass, 21 % SiO2 + 9 % K2O w/w, liquid
-- assumption A3: 21 % SiO2 + 9 % K2O. The alkalinity (about 1.9 mol base per kg) is
-- not stored: an H value would send the line to tank B with the acid, an OH value
-- would make a chosen lye line negative. Silicate is no ion of the recipe, so
-- this product shows a K surplus in an ion balance.
-- assumption A2: density estimated.
INSERT INTO MEST_Meststof (Code_MEST, K, Si, KGl, PrimElement0, PrimElement1, K_perc, Si_perc, Mixora, MixoraStatus)
  VALUES (24, 1.911, 3.495, 1.26, 15, 2, 9, 9.82, 0, 1);
-- Trace-element products: only their trace element (assumption A1).
-- 101 Fe-DTPA 3 % vloeibaar: Fe-DTPA solution, 3 % Fe w/w, liquid
-- assumption A2: grade and density estimated.
INSERT INTO MEST_Meststof (Code_MEST, Fe, KGl, PrimElement0, PrimElement1, Fe_perc, Mixora, MixoraStatus)
  VALUES (101, 0.537, 1.25, 20, 0, 3, 0, 1);
-- 102 Fe-DTPA 6 %: Fe-DTPA (Na/K salt), 6 % Fe, solid
INSERT INTO MEST_Meststof (Code_MEST, Fe, KGl, PrimElement0, PrimElement1, Fe_perc, Mixora, MixoraStatus)
  VALUES (102, 1.074, 1, 20, 0, 6, 1, 1);
-- 103 Fe-EDDHA 6 %: Fe-EDDHA (Na salt), 6 % Fe, solid
INSERT INTO MEST_Meststof (Code_MEST, Fe, KGl, PrimElement0, PrimElement1, Fe_perc, Mixora, MixoraStatus)
  VALUES (103, 1.074, 1, 20, 0, 6, 0, 1);
-- 104 Fe-EDTA 13 %: NaFe-EDTA, 13 % Fe, solid
INSERT INTO MEST_Meststof (Code_MEST, Fe, KGl, PrimElement0, PrimElement1, Fe_perc, Mixora, MixoraStatus)
  VALUES (104, 2.328, 1, 20, 0, 13, 0, 1);
-- 105 Mangaansulfaat: MnSO4·H2O, solid, M 169.01 g/mol
INSERT INTO MEST_Meststof (Code_MEST, Mn, KGl, PrimElement0, PrimElement1, Mn_perc, Mixora, MixoraStatus)
  VALUES (105, 5.917, 1, 21, 0, 32.51, 1, 1);
-- 106 Mn-EDTA 13 %: Na2Mn-EDTA, 13 % Mn, solid
INSERT INTO MEST_Meststof (Code_MEST, Mn, KGl, PrimElement0, PrimElement1, Mn_perc, Mixora, MixoraStatus)
  VALUES (106, 2.366, 1, 21, 0, 13, 0, 1);
-- 107 Zinksulfaat: ZnSO4·7H2O, solid, M 287.54 g/mol
INSERT INTO MEST_Meststof (Code_MEST, Zn, KGl, PrimElement0, PrimElement1, Zn_perc, Mixora, MixoraStatus)
  VALUES (107, 3.478, 1, 22, 0, 22.74, 1, 1);
-- 108 Zn-EDTA 15 %: Na2Zn-EDTA, 15 % Zn, solid
INSERT INTO MEST_Meststof (Code_MEST, Zn, KGl, PrimElement0, PrimElement1, Zn_perc, Mixora, MixoraStatus)
  VALUES (108, 2.294, 1, 22, 0, 15, 0, 1);
-- 109 Borax: Na2B4O7·10H2O, solid, M 381.36 g/mol
INSERT INTO MEST_Meststof (Code_MEST, B, KGl, PrimElement0, PrimElement1, B_perc, Mixora, MixoraStatus)
  VALUES (109, 10.489, 1, 23, 0, 11.34, 1, 1);
-- 110 Solubor: Na2B8O13·4H2O, solid, M 412.51 g/mol
INSERT INTO MEST_Meststof (Code_MEST, B, KGl, PrimElement0, PrimElement1, B_perc, Mixora, MixoraStatus)
  VALUES (110, 19.394, 1, 23, 0, 20.96, 0, 1);
-- 111 Boorzuur: H3BO3, solid, M 61.83 g/mol
INSERT INTO MEST_Meststof (Code_MEST, B, KGl, PrimElement0, PrimElement1, B_perc, Mixora, MixoraStatus)
  VALUES (111, 16.173, 1, 23, 0, 17.48, 0, 1);
-- 112 Kopersulfaat: CuSO4·5H2O, solid, M 249.68 g/mol
INSERT INTO MEST_Meststof (Code_MEST, Cu, KGl, PrimElement0, PrimElement1, Cu_perc, Mixora, MixoraStatus)
  VALUES (112, 4.005, 1, 24, 0, 25.45, 1, 1);
-- 113 Cu-EDTA 15 %: Na2Cu-EDTA, 15 % Cu, solid
INSERT INTO MEST_Meststof (Code_MEST, Cu, KGl, PrimElement0, PrimElement1, Cu_perc, Mixora, MixoraStatus)
  VALUES (113, 2.36, 1, 24, 0, 15, 0, 1);
-- 114 Natriummolybdaat: Na2MoO4·2H2O, solid, M 241.96 g/mol
INSERT INTO MEST_Meststof (Code_MEST, Mo, KGl, PrimElement0, PrimElement1, Mo_perc, Mixora, MixoraStatus)
  VALUES (114, 4.133, 1, 25, 0, 39.66, 1, 1);
-- 115 Ammoniummolybdaat: (NH4)6Mo7O24·4H2O, solid, M 1235.92 g/mol
INSERT INTO MEST_Meststof (Code_MEST, Mo, KGl, PrimElement0, PrimElement1, Mo_perc, Mixora, MixoraStatus)
  VALUES (115, 5.664, 1, 25, 0, 54.34, 0, 1);
