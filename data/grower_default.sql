-- The default grower database holds one grower, still to be filled in.
INSERT INTO ALG_Tuinder (ID, Code_ALG_Handelaar, ID_ALG_Afleveradres) VALUES (1, 0, 0);
