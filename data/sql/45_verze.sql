-- Data version shown in the about window. These scripts make version 1 and
-- stay as they are; every later change is an upgrade step (data/dbupgrade.cpp),
-- which new databases run too.
INSERT INTO VERZE (VERZE_CISLO) VALUES (1);
