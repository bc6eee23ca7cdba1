-- Language database (PlomLang.mdb): one row per text ID, one text column per
-- language in order without gaps (column k + 1 holds language k). Row 0
-- holds the names of the languages.
CREATE TABLE Lang (
  ID INTEGER PRIMARY KEY,
  Lang0 TEXT,
  Lang1 TEXT
);
