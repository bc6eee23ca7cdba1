-- The default grower database holds one grower, still to be filled in. Its
-- dealer is set here because the program offers no way to choose one.
INSERT INTO ALG_Tuinder (ID, Code_ALG_Handelaar, ID_ALG_Afleveradres) VALUES (1, 1, 0);
