-- Dealers of the default reference database. The order e-mail addresses lie
-- on domains reserved for examples (RFC 2606:
-- https://www.rfc-editor.org/rfc/rfc2606), so a test order is never
-- delivered. The default grower database refers to dealer 1 (assumption A13
-- of the reference data: the program cannot set a grower's dealer itself).
INSERT INTO ALG_Handelaar (Code, Handelaar, Adres, Postcode, Woonplaats, Contactpersoon, Telefoon, "Bestel-Email") VALUES
  (1, 'Test handel', 'Proefweg 1', '0000 XX', 'Teststad', 'Testafdeling', NULL, 'bestelling@example.com'),
  (2, 'Voorbeeld Tuinbouwhandel', 'Voorbeeldstraat 12', '1234 AB', 'Voorbeelddorp', 'Verkoop binnendienst', '0174-000000', 'orders@example.net'),
  (3, 'Demo Kassenhandel', 'Demolaan 3', '2345 CD', 'Demostad', 'Orderafdeling', '010-0000000', 'bestellen@example.org');
