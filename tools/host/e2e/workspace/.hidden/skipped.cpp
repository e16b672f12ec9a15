int hidden_from_the_scan;
